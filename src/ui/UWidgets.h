#pragma once
// Small helpers every window uses to build its controls as the design names and sizes them.

#include <QFont>
#include <QString>
#include <QStringList>

class QAbstractButton;
class QAbstractItemView;
class QKeySequence;
class QHBoxLayout;
class QPushButton;
class QTreeWidget;

class QWidget;

// Names a control after its design name, so that tests and a search find it.
template <class Widget>
Widget* Named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// Arial at 14 pixels, the font of the windows' controls.
QFont DesignFont();

QPushButton* TextButton(const char* name, const QString& caption, int width, int height = 20);

// A read-only report list with grid lines and whole-row selection, in the design font.
QTreeWidget* ReportList(const char* name, const QStringList& columns);
// Makes `list` such a report list.
void MakeReportList(QTreeWidget& list, const char* name, const QStringList& columns);

// The selection keeps its highlight colour when the view loses the focus.
void KeepSelectionVisible(QAbstractItemView* view);

// A bar of buttons `height` pixels high; the buttons are added to the returned layout.
QHBoxLayout* ButtonBar(QWidget* bar, int height);

// The button's tool tip names its caption and the keys that do the same: "Add New Task (Ins)".
void ShowKeysInToolTip(QAbstractButton* button, const QKeySequence& keys);
