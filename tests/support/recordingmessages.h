#pragma once

#include "common/messages.h"

#include <QList>
#include <QStringList>
#include <utility>

namespace velberd::test {

// Collects the messages a window would have shown, instead of opening a modal box, and answers
// its questions with `answer`.
class RecordingMessages final : public MessagePresenter {
public:
    void show(QWidget*, Style style, const QString& text) override { shown.append({style, text}); }
    bool ask(QWidget*, const QString& text) override {
        asked << text;
        return answer;
    }

    QList<std::pair<Style, QString>> shown;
    QStringList asked;
    bool answer = true;
};

} // namespace velberd::test
