#pragma once
// TDateEdit: a date as text (see UDateFieldFormat) with a button that opens a month calendar
// to pick it. Typing keeps the text a possible date. The text is what the model stores; it is
// never parsed there, so a text handed in is shown and returned as it stands until the user
// changes it.

#include "ui/UDateFieldFormat.h"

#include <QDate>
#include <QLineEdit>

class QCalendarWidget;
class QFrame;
class QToolButton;

class TDateEdit : public QLineEdit {
    Q_OBJECT

public:
    // Shows `today` in the user's date form; the calendar opens on `today` while the field
    // holds no date.
    explicit TDateEdit(const QDate& today, QWidget* parent = nullptr);

    // Shows `text` as it stands: empty, or written under other date settings, included.
    void SetDateText(const QString& text);
    // The text handed in or picked, as it stands; a date typed in full in the field's form
    // (" 7/ 5/2008" for "7/5/2008"), the day cut to the month's end; for an unfinished date,
    // the last of those. The user may also empty the field.
    [[nodiscard]] QString DateText() const;

    // Opens the calendar below the field (the button does).
    void ShowCalendar();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PickDate(const QDate& date);

    TDateFieldFormat Format;
    QDate Today;
    QString Kept; // the last text handed in, picked or typed in full
    QToolButton* btnCalendar = nullptr;
    QFrame* Popup = nullptr;
    QCalendarWidget* Calendar = nullptr;
};
