#pragma once

#include "common/messages.h"

#include <QList>
#include <utility>

namespace velberd::test {

// Collects the messages a window would have shown, instead of opening a modal box.
class RecordingMessages final : public MessagePresenter {
public:
    void show(QWidget*, Style style, const QString& text) override { shown.append({style, text}); }

    QList<std::pair<Style, QString>> shown;
};

} // namespace velberd::test
