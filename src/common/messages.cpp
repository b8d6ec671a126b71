#include "common/messages.h"

#include <QMessageBox>

namespace velberd {

void MessageBoxPresenter::show(QWidget* parent, Style style, const QString& text) {
    QMessageBox box(style == Style::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, kProgramTitle, text,
                    QMessageBox::Ok, parent);
    box.exec();
}

bool MessageBoxPresenter::ask(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, kProgramTitle, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

} // namespace velberd
