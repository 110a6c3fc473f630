#pragma once
// A report list whose rows the user can drag to another place within it. It moves nothing
// itself: it tells its owner, which moves the row and what the row stands for together.

#include <QTreeWidget>

class TReorderList : public QTreeWidget {
    Q_OBJECT

public:
    explicit TReorderList(QWidget* parent = nullptr);

signals:
    // The selected row at `from` was dropped so that it is to stand at `to`.
    void RowDropped(int from, int to);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Where a row dropped at `position` goes, counted before it is taken out: above the
    // row under the pointer's upper half, below its lower half, at the end below the rows.
    [[nodiscard]] int DropPlace(const QPoint& position) const;
};
