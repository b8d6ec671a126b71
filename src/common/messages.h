#pragma once

#include <QString>

class QWidget;

namespace velberd {

// The modal messages the program shows, captioned with its title. Windows get a presenter
// injected so that tests can read what would have been shown without a modal loop.
class MessagePresenter {
public:
    enum class Style { Plain = 0, Exclamation = 48 };

    virtual ~MessagePresenter() = default;
    virtual void show(QWidget* parent, Style style, const QString& text) = 0;
    // A question with "Yes" and "No"; true for "Yes".
    virtual bool ask(QWidget* parent, const QString& text) = 0;
};

class MessageBoxPresenter final : public MessagePresenter {
public:
    void show(QWidget* parent, Style style, const QString& text) override;
    bool ask(QWidget* parent, const QString& text) override;
};

inline const QString kProgramTitle = QStringLiteral("Velberd");

} // namespace velberd
