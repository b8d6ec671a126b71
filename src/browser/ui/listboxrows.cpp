#include "browser/ui/listboxrows.h"

#include <QPainter>

namespace velberd {

ListBoxRows::ListBoxRows(int rowHeight, QObject* parent) : QStyledItemDelegate(parent), m_rowHeight(rowHeight) {}

// The styles add margins of their own to the font's height, and Windows' styles and fonts add more
// than eleven rows leave room for.
QSize ListBoxRows::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    return {QStyledItemDelegate::sizeHint(option, index).width(), m_rowHeight};
}

// The styles draw a selection whose list has lost the focus, or whose window is inactive, in
// colours of their own or the theme's: Windows' palette makes it the window's grey, and a theme
// may draw nothing at all. The highlight is drawn here instead, the text over it by the style.
void ListBoxRows::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    if (!(option.state & QStyle::State_Selected)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const auto group = option.state & QStyle::State_Enabled ? QPalette::Active : QPalette::Disabled;
    const QBrush highlight = option.palette.brush(group, QPalette::Highlight);
    painter->fillRect(option.rect, highlight);
    QStyleOptionViewItem row = option;
    row.state &= ~(QStyle::State_Selected | QStyle::State_MouseOver);
    row.palette.setBrush(QPalette::Text, option.palette.brush(group, QPalette::HighlightedText));
    // The focus frame is drawn to stand out from the row's background.
    row.palette.setBrush(QPalette::Window, highlight);
    QStyledItemDelegate::paint(painter, row, index);
}

} // namespace velberd
