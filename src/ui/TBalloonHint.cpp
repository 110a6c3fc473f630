#include "ui/TBalloonHint.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QHideEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QToolTip>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int Shadow = 4;         // drop shadow depth, right and down
constexpr int Padding = 6;        // from the body's edge to the text, the border included
constexpr int Radius = 6;         // of the body's corners
constexpr int PointerLength = 14; // from the body's edge to the tip
constexpr int PointerBase = 12;   // the pointer's width where it meets the body
constexpr int PointerInset = 14;  // from the body's near side to the tip
constexpr int MinBodyWidth = PointerInset + PointerBase + Radius + 1;
constexpr int MinBodyHeight = 2 * Radius + 1;

// Drawn solid: no compositor is needed to show it.
const QColor ShadowColour(0x55, 0x55, 0x55);

// The one balloon that shows, whichever its owner: there is one mouse capture.
TBalloonHint* Shown = nullptr;

bool IsBelow(TBalloonPosition position)
{
    return position == TBalloonPosition::BelowLeft || position == TBalloonPosition::BelowRight;
}

bool ExtendsLeft(TBalloonPosition position)
{
    return position == TBalloonPosition::BelowLeft || position == TBalloonPosition::AboveLeft;
}

int BodyTop(TBalloonPosition position)
{
    return IsBelow(position) ? PointerLength : 0;
}

// Body and pointer as one outline, drawn with a 1-pixel pen and no antialiasing so that the
// painting and the window's mask cover the same pixels.
QPainterPath Outline(QSize size, TBalloonPosition position)
{
    const int bodyWidth = size.width() - Shadow;
    const int bodyHeight = size.height() - Shadow - PointerLength;
    const int top = BodyTop(position);
    QPainterPath body;
    body.addRoundedRect(QRectF(0, top, bodyWidth - 1, bodyHeight - 1), Radius, Radius);

    // The pointer overlaps the body by a pixel so that the two join without a seam.
    const QPoint tip = BalloonTip(size, position);
    const int joint = IsBelow(position) ? top + 1 : top + bodyHeight - 2;
    const int inner = ExtendsLeft(position) ? tip.x() - PointerBase : tip.x() + PointerBase;
    QPainterPath pointer;
    pointer.addPolygon(QPolygonF({QPointF(tip), QPointF(tip.x(), joint), QPointF(inner, joint)}));
    pointer.closeSubpath();
    return body.united(pointer);
}

void DrawShape(QPainter& painter, const QPainterPath& outline, const QColor& edge, const QColor& fill,
               const QColor& shadow)
{
    painter.setPen(QPen(shadow, 1));
    painter.setBrush(shadow);
    painter.drawPath(outline.translated(Shadow, Shadow));
    painter.setPen(QPen(edge, 1));
    painter.setBrush(fill);
    painter.drawPath(outline);
}

} // namespace

QPoint BalloonTip(QSize size, TBalloonPosition position)
{
    const int bodyWidth = size.width() - Shadow;
    return {ExtendsLeft(position) ? bodyWidth - 1 - PointerInset : PointerInset,
            IsBelow(position) ? 0 : size.height() - Shadow - 1};
}

TBalloonPlacement PlaceBalloon(QSize size, QPoint target, const QRect& screen)
{
    constexpr std::array cycle{TBalloonPosition::BelowLeft, TBalloonPosition::BelowRight, TBalloonPosition::AboveLeft,
                               TBalloonPosition::AboveRight};
    TBalloonPlacement placement;
    for (const TBalloonPosition position : cycle) {
        placement = {QRect(target - BalloonTip(size, position), size), position};
        if (screen.contains(placement.Frame.topLeft()) && screen.contains(placement.Frame.bottomRight()))
            break;
    }
    return placement;
}

TBalloonHint::TBalloonHint(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, &TBalloonHint::ApplicationStateChanged);
}

TBalloonHint::~TBalloonHint()
{
    Release();
}

QFont TBalloonHint::NoticeFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

QSize TBalloonHint::LayOut(const QString& text, int wrapWidth, int maxHeight)
{
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lines.replace(QLatin1Char('\n'), QChar::LineSeparator);

    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    Text.setFont(NoticeFont());
    Text.setTextOption(option);
    Text.setText(lines);
    qreal width = 0;
    qreal height = 0;
    Text.beginLayout();
    for (QTextLine line = Text.createLine(); line.isValid(); line = Text.createLine()) {
        line.setLineWidth(wrapWidth);
        line.setPosition(QPointF(0, height));
        // The rest of a text that would not fit is left out; paintEvent clips the line that
        // was begun.
        if (height > 0 && height + line.height() > maxHeight)
            break;
        height += line.height();
        width = std::max(width, line.naturalTextWidth());
    }
    Text.endLayout();
    return {std::min(wrapWidth, static_cast<int>(std::ceil(width))), static_cast<int>(std::ceil(height))};
}

void TBalloonHint::ShowAt(const QString& text, QPoint target)
{
    if (Shown)
        Shown->Dismiss();
    const QScreen* screen = QGuiApplication::screenAt(target);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();

    Given = text;
    // A text longer than the screen can show (a news title has no limit) is cut, so that the
    // balloon still fits above or below the point and never holds the mouse unseen.
    const int frameRoom = std::max(area.bottom() - target.y() + 1, target.y() - area.top() + Shadow + 1);
    TextSize = LayOut(text, area.width() / 4, frameRoom - PointerLength - Shadow - 2 * Padding);
    const QSize size(std::max(TextSize.width() + 2 * Padding, MinBodyWidth) + Shadow,
                     std::max(TextSize.height() + 2 * Padding, MinBodyHeight) + PointerLength + Shadow);
    const TBalloonPlacement placement = PlaceBalloon(size, target, area);
    Placed = placement.Position;
    setGeometry(placement.Frame);

    QBitmap shape(size);
    shape.fill(Qt::color0);
    QPainter painter(&shape);
    DrawShape(painter, Outline(size, Placed), Qt::color1, Qt::color1, Qt::color1);
    painter.end();
    setMask(shape);

    show();
    // The widget grab redirects this program's mouse events; the window system's grab brings
    // those from elsewhere on the screen. The filter closes the balloon where either is missing.
    grabMouse();
    qApp->installEventFilter(this);
    Showing = true;
    Shown = this;
    AwaitingActivation = QGuiApplication::applicationState() != Qt::ApplicationActive;
}

void TBalloonHint::ApplicationStateChanged(Qt::ApplicationState state)
{
    // A program shown at start may be brought to the front only after its notice appeared;
    // that is no switch by the user, and the notice must stay to be seen.
    if (AwaitingActivation && state == Qt::ApplicationActive) {
        AwaitingActivation = false;
        return;
    }
    Dismiss();
}

void TBalloonHint::Dismiss()
{
    if (!Showing)
        return;
    Release();
    hide();
    emit Closed();
}

void TBalloonHint::Release()
{
    Showing = false;
    if (Shown == this)
        Shown = nullptr;
    qApp->removeEventFilter(this);
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
}

QRect TBalloonHint::TextArea() const
{
    return {QPoint(Padding, BodyTop(Placed) + Padding), TextSize};
}

bool TBalloonHint::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
        if (Showing) {
            Dismiss();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TBalloonHint::hideEvent(QHideEvent* event)
{
    Dismiss(); // hidden some other way than Dismiss: close() or the window system
    QWidget::hideEvent(event);
}

void TBalloonHint::paintEvent(QPaintEvent*)
{
    const QPalette colours = QToolTip::palette();
    QPainter painter(this);
    DrawShape(painter, Outline(size(), Placed), colours.color(QPalette::ToolTipText),
              colours.color(QPalette::ToolTipBase), ShadowColour);
    painter.setPen(colours.color(QPalette::ToolTipText));
    painter.setClipRect(TextArea());
    Text.draw(&painter, TextArea().topLeft());
}
