#include "ui/TElidedLabel.h"

#include "ui/UElide.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace {

// The widest a label asks to be: beyond it, a text is cut rather than taking the room of its
// neighbours.
constexpr int MaxHintWidth = 400;

} // namespace

TElidedLabel::TElidedLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
}

QString TElidedLabel::ShownText() const
{
    const int width = contentsRect().width() - 2 * margin();
    return ElideToWidth(text(), fontMetrics(), width);
}

QSize TElidedLabel::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    return WithMargins(metrics.horizontalAdvance(ElideToWidth(text(), metrics, MaxHintWidth)));
}

QSize TElidedLabel::minimumSizeHint() const
{
    return WithMargins(fontMetrics().horizontalAdvance(QChar(0x2026)));
}

QSize TElidedLabel::WithMargins(int textWidth) const
{
    const QMargins frame = contentsMargins();
    return QSize(textWidth + frame.left() + frame.right() + 2 * margin(),
                 fontMetrics().height() + frame.top() + frame.bottom() + 2 * margin());
}

bool TElidedLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && ShownText() != text()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), WholeTextTip(text()), this);
        return true;
    }
    return QLabel::event(event);
}

void TElidedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), ElideToWidth(text(), fontMetrics(), area.width()), foregroundRole());
}
