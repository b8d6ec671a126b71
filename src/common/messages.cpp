#include "common/messages.h"

#include <QMessageBox>

namespace velberd {

void MessageBoxPresenter::show(QWidget* parent, Style style, const QString& text) {
    QMessageBox box(style == Style::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, kProgramTitle, text,
                    QMessageBox::Ok, parent);
    box.exec();
}

} // namespace velberd
