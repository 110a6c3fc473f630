#include "ui/UElide.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextDocument>

#include <algorithm>

namespace {

// The tool tip shows this much of a text.
constexpr qsizetype MaxTipLength = 1000;
const QChar Ellipsis(0x2026);

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

QString WholeTextTip(const QString& text)
{
    QString shown = text.left(MaxTipLength);
    if (shown.size() < text.size())
        shown += Ellipsis;
    return Qt::convertFromPlainText(shown, Qt::WhiteSpaceNormal);
}

void SetCaptionCut(QAbstractButton& button, const QString& caption)
{
    button.ensurePolished(); // the skin's font and padding
    QStyleOptionButton option;
    option.initFrom(&button);
    const int room = button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button).width();
    const QString shown = ElideToWidth(caption, button.fontMetrics(), room);
    button.setText(shown);
    button.setToolTip(shown == caption ? QString() : WholeTextTip(caption));
}
