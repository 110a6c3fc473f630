#include "ui/TLinkLabel.h"

#include <QMouseEvent>

TLinkLabel::TLinkLabel(const QString& caption, QWidget* parent)
    : QLabel(caption, parent)
{
    QFont linkFont(QStringLiteral("Arial"));
    linkFont.setPixelSize(12);
    linkFont.setUnderline(true);
    setFont(linkFont);
    setCursor(Qt::PointingHandCursor);
    SetHot(false);
}

void TLinkLabel::SetHot(bool hot)
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, hot ? QColor(Qt::blue) : QColor(Qt::black));
    setPalette(colours);
}

void TLinkLabel::enterEvent(QEnterEvent* event)
{
    SetHot(true);
    QLabel::enterEvent(event);
}

void TLinkLabel::leaveEvent(QEvent* event)
{
    SetHot(false);
    QLabel::leaveEvent(event);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}
