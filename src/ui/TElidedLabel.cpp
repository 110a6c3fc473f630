#include "ui/TElidedLabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

#include <algorithm>

namespace {

// The widest a label asks to be: beyond it, a text is cut rather than taking the room of its
// neighbours.
constexpr int MaxHintWidth = 400;
// The tool tip shows this much of a text, wrapped into lines.
constexpr qsizetype MaxToolTipLength = 1000;
const QChar Ellipsis(0x2026);

QString ToolTipFor(const QString& text)
{
    QString shown = text.left(MaxToolTipLength);
    if (shown.size() < text.size())
        shown += Ellipsis;
    return Qt::convertFromPlainText(shown, Qt::WhiteSpaceNormal);
}

} // namespace

QString ElideToWidth(const QString& text, const QFontMetrics& metrics, int width)
{
    // A line of `width` pixels holds hardly more than `width` characters, so a longer text is
    // cut there before it is laid out, and marked as cut.
    const qsizetype room = std::max(width, 0) + 1;
    if (text.size() <= room)
        return metrics.elidedText(text, Qt::ElideRight, width);
    const qsizetype cut = text.at(room - 1).isHighSurrogate() ? room - 1 : room;
    return metrics.elidedText(text.left(cut) + Ellipsis, Qt::ElideRight, width);
}

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
    return WithMargins(fontMetrics().horizontalAdvance(Ellipsis));
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
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), ToolTipFor(text()), this);
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
