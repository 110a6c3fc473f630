#include "ui/TReorderList.h"

#include <QDropEvent>

TReorderList::TReorderList(QWidget* parent)
    : QTreeWidget(parent)
{
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
}

// Only rows of this list are taken, and as a copy: the owner moves them, and a drag that
// ends in a move would have the view remove the dragged row once more.
void TReorderList::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->source() != this) {
        event->ignore();
        return;
    }
    QTreeWidget::dragEnterEvent(event);
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void TReorderList::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->source() != this) {
        event->ignore();
        return;
    }
    QTreeWidget::dragMoveEvent(event); // draws the drop indicator
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void TReorderList::dropEvent(QDropEvent* event)
{
    stopAutoScroll();
    setState(NoState);
    viewport()->update();
    if (event->source() != this) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    const QList<QTreeWidgetItem*> selected = selectedItems();
    if (selected.isEmpty())
        return;
    const int from = indexOfTopLevelItem(selected.first());
    const int place = DropPlace(event->position().toPoint());
    const int to = place > from ? place - 1 : place;
    if (from >= 0 && to != from)
        emit RowDropped(from, to);
}

int TReorderList::DropPlace(const QPoint& position) const
{
    QTreeWidgetItem* over = itemAt(position);
    if (over == nullptr)
        return topLevelItemCount();
    const int row = indexOfTopLevelItem(over);
    return position.y() < visualItemRect(over).center().y() ? row : row + 1;
}
