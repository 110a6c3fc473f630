#pragma once
// The day planner on the "Calendar" tab: the month calendar, the 24 hour rows of the day
// picked in it, and editing and clearing the action of an hour.

#include <QDate>
#include <QObject>

#include <string>

class QCalendarWidget;
class QPushButton;
class QTimer;
class QTreeWidget;
class QWidget;
struct TWorkspaceServices;
struct TWorkspaceState;

class TDayPlanner : public QObject {
    Q_OBJECT

public:
    TDayPlanner(TWorkspaceState& state, TWorkspaceServices& services, QObject* parent = nullptr);
    ~TDayPlanner() override;

    // The tab; the caller places it and takes ownership. Its controls are made when it first
    // shows, or when a handler below needs them.
    QWidget* CalendarTab() const { return stsCalendar; }
    // Gives the day panel the Calendar tab's width less the calendar and a 10-pixel gap, once
    // the tab set is laid out (or when the tab is made later); later resizing keeps it, so it
    // stays at the right edge.
    void FitDayPanel();
    void StopRefreshing();

    // The 24 hour rows, "1:00 AM" to "12:00 PM", each with an empty action.
    void AddHourRows();
    // Fills the action cells from the hours of the calendar's date.
    void RefreshDayActions();
    // The calendar's date; before the tab is made, the date it opens on.
    [[nodiscard]] QDate SelectedDate() const;

    void btnEditHourClick();
    void btnClearHourClick();
    // Moves the calendar to today.
    void btnTodayClick();

signals:
    // An hour's action was set or cleared.
    void Edited();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildCalendarTab();
    void TakeTabPlace();
    void calMainPageChanged(int year, int month);
    [[nodiscard]] bool lvwToDoKeyDown(int key);
    [[nodiscard]] std::string DateText() const;
    [[nodiscard]] int SelectedRow() const;

    TWorkspaceState& State;
    TWorkspaceServices& Services;
    QWidget* stsCalendar = nullptr;
    QCalendarWidget* calMain = nullptr;
    QWidget* panDay = nullptr;
    QTreeWidget* lvwToDo = nullptr;
    QPushButton* btnEditHour = nullptr;
    QPushButton* btnClearHour = nullptr;
    QPushButton* btnToday = nullptr;
    QTimer* Timer1 = nullptr;
    bool HourRowsWanted = false; // AddHourRows came before the tab was made
    bool Fitted = false;         // so did FitDayPanel
};
