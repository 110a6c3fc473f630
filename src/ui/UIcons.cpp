#include "ui/UIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

#include <functional>
#include <optional>

namespace {

constexpr int ToolIconSize = 28;
constexpr int TreeIconSize = 16;

// A picture drawn for each size and device pixel ratio it is asked for, so that it stays
// sharp on a scaled screen. It is drawn in a square of `DesignSize` pixels.
class TPaintedIcon : public QIconEngine {
public:
    TPaintedIcon(int designSize, std::function<void(QPainter&)> paint)
        : DesignSize(designSize)
        , Paint(std::move(paint))
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / qreal(DesignSize), rect.height() / qreal(DesignSize));
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.4);
        Paint(*painter);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new TPaintedIcon(DesignSize, Paint); }

private:
    int DesignSize;
    std::function<void(QPainter&)> Paint;
};

class TIconWhenShown : public QIconEngine {
public:
    explicit TIconWhenShown(QString file)
        : File(std::move(file))
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return Icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new TIconWhenShown(File); }

private:
    const QIcon& Icon()
    {
        if (!Loaded)
            Loaded = QIcon(File);
        return *Loaded;
    }

    QString File;
    std::optional<QIcon> Loaded;
};

QIcon Painted(int designSize, std::function<void(QPainter&)> paint)
{
    return QIcon(new TPaintedIcon(designSize, std::move(paint)));
}

} // namespace

QIcon NewsIcon()
{
    return Painted(ToolIconSize, [](QPainter& p) {
        p.setPen(QPen(QColor(60, 60, 60), 1.5));
        p.setBrush(QColor(250, 250, 245));
        p.drawRoundedRect(QRectF(3, 5, 22, 18), 2, 2);
        p.setBrush(QColor(70, 110, 170));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(6, 8, 8, 6));
        p.setPen(QPen(QColor(90, 90, 90), 1.2));
        for (qreal y : {9.0, 12.0, 15.5, 18.5})
            p.drawLine(QPointF(y < 15 ? 16 : 6, y), QPointF(22, y));
    });
}

QIcon UpdateIcon()
{
    return Painted(ToolIconSize, [](QPainter& p) {
        const QRectF circle(5, 5, 18, 18);
        p.setPen(QPen(QColor(40, 140, 60), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(circle, 30 * 16, 150 * 16);
        p.drawArc(circle, 210 * 16, 150 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 140, 60));
        QPainterPath head;
        head.moveTo(20, 3);
        head.lineTo(25, 10);
        head.lineTo(17, 10);
        head.closeSubpath();
        p.drawPath(head);
        p.drawPath(QTransform().translate(28, 28).rotate(180).map(head));
    });
}

QIcon HelpIcon()
{
    // The question mark is drawn, not written: a font of its own size cost the start-up a
    // font of its own.
    return Painted(ToolIconSize, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(45, 105, 195));
        p.drawEllipse(QRectF(3, 3, 22, 22));
        QPainterPath hook;
        hook.moveTo(10.5, 10.8);
        hook.arcTo(QRectF(10.5, 7.3, 7, 7), 180, -270); // round the top, down to the middle
        hook.lineTo(14, 16.6);
        p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(hook);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(14, 20.4), 1.6, 1.6);
    });
}

QIcon CategoryIcon()
{
    return Painted(TreeIconSize, [](QPainter& p) {
        p.setPen(QPen(QColor(150, 110, 10), 1));
        p.setBrush(QColor(240, 200, 60));
        QPainterPath folder;
        folder.moveTo(1.5, 3.5);
        folder.lineTo(6.5, 3.5);
        folder.lineTo(8, 5);
        folder.lineTo(14.5, 5);
        folder.lineTo(14.5, 13.5);
        folder.lineTo(1.5, 13.5);
        folder.closeSubpath();
        p.drawPath(folder);
        p.setBrush(QColor(255, 222, 100));
        p.drawRect(QRectF(1.5, 7, 13, 6.5));
    });
}

QIcon ProjectIcon()
{
    return Painted(TreeIconSize, [](QPainter& p) {
        p.setPen(QPen(QColor(20, 90, 30), 1));
        p.setBrush(QColor(60, 160, 70));
        p.drawRect(QRectF(3.5, 1.5, 10, 13));
        p.setBrush(QColor(245, 245, 235));
        p.drawRect(QRectF(2.5, 12.5, 11, 2));
        p.setPen(QPen(QColor(20, 90, 30), 1.5));
        p.drawLine(QPointF(5, 2), QPointF(5, 12));
    });
}

QIcon IconFromFileWhenShown(const QString& file)
{
    return QIcon(new TIconWhenShown(file));
}
