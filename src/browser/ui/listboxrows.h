#pragma once

#include <QStyledItemDelegate>

namespace velberd {

// Draws a list's rows as a Windows list box draws them, alike on every platform and style: each row
// as tall as the layout places it, and the selected row in the highlight colours whether or not
// the list has the focus and its window is active.
class ListBoxRows : public QStyledItemDelegate {
public:
    ListBoxRows(int rowHeight, QObject* parent);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int m_rowHeight;
};

} // namespace velberd
