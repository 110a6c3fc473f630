#include "ui/UWidgets.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QPalette>
#include <QPushButton>
#include <QTreeWidget>

QFont DesignFont()
{
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(14);
    return arial;
}

QPushButton* TextButton(const char* name, const QString& caption, int width, int height)
{
    auto* button = Named(new QPushButton(caption), name);
    button->setFixedSize(width, height);
    return button;
}

QTreeWidget* ReportList(const char* name, const QStringList& columns)
{
    auto* list = new QTreeWidget;
    MakeReportList(*list, name, columns);
    return list;
}

void MakeReportList(QTreeWidget& widget, const char* name, const QStringList& columns)
{
    QTreeWidget* list = Named(&widget, name);
    list->setColumnCount(static_cast<int>(columns.size()));
    list->setHeaderLabels(columns);
    list->setRootIsDecorated(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setAllColumnsShowFocus(true);
    list->setUniformRowHeights(true);
    // Its grid lines come from the window's style sheet (ReportListLines): a sheet of its own
    // cost each list a style of its own at start-up.
    list->setProperty("reportList", true);
    list->setFont(DesignFont());
    list->header()->setFont(DesignFont());
    KeepSelectionVisible(list);
}

void KeepSelectionVisible(QAbstractItemView* view)
{
    QPalette palette = view->palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    view->setPalette(palette);
}

QHBoxLayout* ButtonBar(QWidget* bar, int height)
{
    bar->setFixedHeight(height);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(4, 0, 4, 0);
    return layout;
}

void ShowKeysInToolTip(QAbstractButton* button, const QKeySequence& keys)
{
    button->setToolTip(button->text() + QStringLiteral(" (") + keys.toString(QKeySequence::NativeText) + u')');
}
