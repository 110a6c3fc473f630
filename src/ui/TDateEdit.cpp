#include "ui/TDateEdit.h"

#include <QCalendarWidget>
#include <QFocusEvent>
#include <QFrame>
#include <QLocale>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

class TDateValidator : public QValidator {
public:
    TDateValidator(TDateFieldFormat format, QObject* parent)
        : QValidator(parent)
        , Format(format)
    {
    }

    State validate(QString& input, int&) const override { return Format.Check(input); }

private:
    TDateFieldFormat Format;
};

} // namespace

TDateEdit::TDateEdit(const QDate& today, QWidget* parent)
    : QLineEdit(parent)
    , Format(TDateFieldFormat::FromLocale(QLocale()))
    , Today(today)
{
    setValidator(new TDateValidator(Format, this));
    btnCalendar = new QToolButton(this);
    btnCalendar->setObjectName(QStringLiteral("btnCalendar"));
    btnCalendar->setArrowType(Qt::DownArrow);
    btnCalendar->setFocusPolicy(Qt::NoFocus);
    btnCalendar->setCursor(Qt::ArrowCursor);
    setTextMargins(0, 0, style()->pixelMetric(QStyle::PM_ScrollBarExtent), 0);
    connect(btnCalendar, &QToolButton::clicked, this, &TDateEdit::ShowCalendar);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (Format.Check(text) == QValidator::Acceptable)
            Kept = text;
    });
    SetDateText(Format.Text(today));
}

void TDateEdit::SetDateText(const QString& text)
{
    Kept = text;
    setText(text);
}

QString TDateEdit::DateText() const
{
    const QString shown = text();
    if (shown == Kept)
        return Kept;
    const QDate date = Format.DateOf(shown);
    return date.isValid() ? Format.Text(date) : Kept;
}

void TDateEdit::ShowCalendar()
{
    if (Popup == nullptr) {
        Popup = new QFrame(this, Qt::Popup);
        Popup->setFrameShape(QFrame::Box);
        auto* layout = new QVBoxLayout(Popup);
        layout->setContentsMargins(1, 1, 1, 1);
        Calendar = new QCalendarWidget(Popup);
        Calendar->setObjectName(QStringLiteral("calPopup"));
        Calendar->setFirstDayOfWeek(Qt::Sunday);
        Calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        layout->addWidget(Calendar);
        connect(Calendar, &QCalendarWidget::clicked, this, &TDateEdit::PickDate);
        connect(Calendar, &QCalendarWidget::activated, this, &TDateEdit::PickDate);
    }
    Popup->setFont(font()); // a pop-up is a window of its own and takes no font from the field
    const QDate shown = Format.DateOf(DateText());
    Calendar->setSelectedDate(shown.isValid() ? shown : Today);
    Popup->adjustSize();

    QPoint at = mapToGlobal(QPoint(0, height()));
    if (const QScreen* screen = this->screen()) {
        const QRect room = screen->availableGeometry();
        if (at.y() + Popup->height() > room.bottom())
            at.setY(mapToGlobal(QPoint(0, 0)).y() - Popup->height());
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - Popup->width())));
    }
    Popup->move(at);
    Popup->show();
    Calendar->setFocus();
}

void TDateEdit::PickDate(const QDate& date)
{
    Popup->hide();
    SetDateText(Format.Text(date));
    setFocus();
}

void TDateEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // An unfinished date is not left on screen: the field shows what it returns.
    if (event->reason() != Qt::PopupFocusReason && text() != DateText())
        setText(DateText());
}

void TDateEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const int width = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    btnCalendar->setGeometry(this->width() - frame - width, frame, width, height() - 2 * frame);
}
