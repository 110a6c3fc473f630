#include "ui/TLinkLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>

TLinkLabel::TLinkLabel(const QString& caption, QWidget* parent)
    : TElidedLabel(caption, parent)
{
    setFocusPolicy(Qt::TabFocus);
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
    TElidedLabel::enterEvent(event);
}

void TLinkLabel::leaveEvent(QEvent* event)
{
    SetHot(false);
    TElidedLabel::leaveEvent(event);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    TElidedLabel::mouseReleaseEvent(event);
}

void TLinkLabel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit clicked();
        return;
    default:
        TElidedLabel::keyPressEvent(event);
    }
}
