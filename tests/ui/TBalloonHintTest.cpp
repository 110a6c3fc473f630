#include "ui/TBalloonHint.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

Q_DECLARE_METATYPE(TBalloonPosition)

namespace {

const QString Notice = QStringLiteral("You've Got A Message!\r\nTaskwren 2.1 is out");

QRect Screen()
{
    return QGuiApplication::primaryScreen()->geometry();
}

bool Below(TBalloonPosition at)
{
    return at == TBalloonPosition::BelowLeft || at == TBalloonPosition::BelowRight;
}

bool Left(TBalloonPosition at)
{
    return at == TBalloonPosition::BelowLeft || at == TBalloonPosition::AboveLeft;
}

QtMessageHandler QtTestHandler = nullptr;

// The offscreen platform says so each time a mask, a grab or a raise is asked of it.
void WithoutPlatformLimits(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (!text.startsWith(QLatin1String("This plugin does not support")))
        QtTestHandler(type, context, text);
}

} // namespace

class TBalloonHintTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QWidget> Host;
    QPushButton* Button = nullptr;
    QLineEdit* Edit = nullptr;
    TBalloonHint* Balloon = nullptr;

    QPoint OnButton() const { return Button->mapToGlobal(Button->rect().center()); }

    int LinesOf(const QString& text)
    {
        Balloon->ShowAt(QStringLiteral("A"), OnButton());
        const int line = Balloon->TextArea().height();
        Balloon->ShowAt(text, OnButton());
        return qRound(double(Balloon->TextArea().height()) / line);
    }

    // Nothing is left holding the mouse: the next click is the button's.
    void NextClickReachesTheButton()
    {
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        QSignalSpy clicked(Button, &QPushButton::clicked);
        QTest::mouseClick(Button, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
    }

private slots:
    void initTestCase() { QtTestHandler = qInstallMessageHandler(WithoutPlatformLimits); }

    void init()
    {
        Host = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(Host.get());
        layout->addWidget(Button = new QPushButton(QStringLiteral("Check News")));
        layout->addWidget(Edit = new QLineEdit);
        Host->setGeometry(200, 150, 300, 120);
        Host->show();
        QVERIFY(QTest::qWaitForWindowExposed(Host.get()));
        Balloon = new TBalloonHint(Host.get());
    }

    void cleanup() { Host.reset(); }

    void placementTriesTheCycleUntilTheBalloonFits_data()
    {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("target");
        QTest::addColumn<TBalloonPosition>("position");
        QTest::addColumn<bool>("fits");
        const QRect screen(0, 0, 800, 600);
        QTest::newRow("room everywhere") << screen << QPoint(400, 300) << TBalloonPosition::BelowLeft << true;
        QTest::newRow("left edge") << screen << QPoint(20, 300) << TBalloonPosition::BelowRight << true;
        QTest::newRow("bottom") << screen << QPoint(400, 580) << TBalloonPosition::AboveLeft << true;
        QTest::newRow("bottom-left") << screen << QPoint(20, 580) << TBalloonPosition::AboveRight << true;
        QTest::newRow("second screen's left edge")
            << QRect(800, 0, 800, 600) << QPoint(820, 300) << TBalloonPosition::BelowRight << true;
        // Body and shadow reach past the tip on both sides: nothing fits, the last tried is used.
        QTest::newRow("right edge") << screen << QPoint(798, 300) << TBalloonPosition::AboveRight << false;
    }
    void placementTriesTheCycleUntilTheBalloonFits()
    {
        QFETCH(QRect, screen);
        QFETCH(QPoint, target);
        QFETCH(TBalloonPosition, position);
        QFETCH(bool, fits);
        const QSize size(120, 60);
        const TBalloonPlacement placed = PlaceBalloon(size, target, screen);
        QCOMPARE(placed.Position, position);
        QCOMPARE(placed.Frame.size(), size);
        QCOMPARE(placed.Frame.topLeft() + BalloonTip(size, position), target);
        QCOMPARE(placed.Frame.top() == target.y(), Below(position));
        QCOMPARE(placed.Frame.center().x() < target.x(), Left(position));
        QCOMPARE(screen.contains(placed.Frame.topLeft()) && screen.contains(placed.Frame.bottomRight()), fits);
    }

    void theDrawnTipLiesOnTheTarget_data()
    {
        QTest::addColumn<QPointF>("where"); // a share of the screen's width and height
        QTest::addColumn<TBalloonPosition>("position");
        QTest::newRow("middle") << QPointF(0.5, 0.5) << TBalloonPosition::BelowLeft;
        QTest::newRow("bottom-left") << QPointF(0.04, 0.98) << TBalloonPosition::AboveRight;
    }
    void theDrawnTipLiesOnTheTarget()
    {
        QFETCH(QPointF, where);
        QFETCH(TBalloonPosition, position);
        const QPoint target = Screen().topLeft() + QPoint(where.x() * Screen().width(), where.y() * Screen().height());
        Balloon->ShowAt(Notice, target);
        QCOMPARE(Balloon->Position(), position);
        QVERIFY(Screen().contains(Balloon->geometry()));

        const QPoint tip = target - Balloon->pos();
        const QRect text = Balloon->TextArea();
        const QPoint shadow(Balloon->width() - 2, text.center().y()); // down the right side
        const QRegion shape = Balloon->mask();
        const QImage drawn = Balloon->grab().toImage();
        const QColor base = QToolTip::palette().color(QPalette::ToolTipBase);
        QVERIFY(shape.contains(tip) && shape.contains(shadow) && !shape.contains(QPoint(0, 0)));
        QCOMPARE(drawn.pixelColor(tip), QToolTip::palette().color(QPalette::ToolTipText));
        QCOMPARE(drawn.pixelColor(text.left() - 2, text.center().y()), base);
        QVERIFY(qGray(drawn.pixel(shadow)) + 60 < qGray(base.rgb()));
        QCOMPARE(text.center().y() > tip.y(), Below(position));
        QCOMPARE(text.center().x() < tip.x(), Left(position));
    }

    void longTextWrapsWithinAQuarterOfTheScreen()
    {
        for (const QString& text : {QStringLiteral("news ").repeated(80), QStringLiteral("x").repeated(400)}) {
            QVERIFY(LinesOf(text) >= 2);
            QVERIFY(Balloon->TextArea().width() <= Screen().width() / 4);
            QVERIFY(Balloon->TextArea().width() > Screen().width() / 5); // it uses the room it has
            QVERIFY(Balloon->rect().contains(Balloon->TextArea()));
        }
    }

    // A news title has no limit: a balloon taller than the screen would show nowhere while it
    // holds the mouse. The text is cut to fit above or below the point, and drawn no further.
    void aTextTallerThanTheScreenIsCut()
    {
        const int base = qGray(QToolTip::palette().color(QPalette::ToolTipBase).rgb());
        for (const double height : {0.1, 0.9}) {
            const QPoint target(Screen().center().x(), Screen().top() + int(height * Screen().height()));
            Balloon->ShowAt(Notice + QStringLiteral(" \u2588\u2588").repeated(50000), target);
            const QRect text = Balloon->TextArea();
            QVERIFY(Screen().contains(Balloon->geometry()) && Balloon->rect().contains(text));
            const QImage drawn = Balloon->grab().toImage();
            for (int y = text.bottom() + 1; y <= text.bottom() + 3; ++y)
                for (int x = text.left(); x <= text.right(); ++x)
                    QVERIFY(qGray(drawn.pixel(x, y)) + 40 > base);
        }
    }

    void lineBreaksAreKept_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lines");
        QTest::newRow("CR LF is one break") << QStringLiteral("A\r\nB") << 2;
        QTest::newRow("lone CR") << QStringLiteral("A\rB") << 2;
        QTest::newRow("empty line") << QStringLiteral("A\r\n\r\nB") << 3;
        QTest::newRow("empty title") << QStringLiteral("You've Got A Message!\r\n") << 2;
    }
    void lineBreaksAreKept()
    {
        QFETCH(QString, text);
        QFETCH(int, lines);
        QCOMPARE(LinesOf(text), lines);
    }

    void theFirstMouseEventOrSwitchClosesItAndReachesNothing_data()
    {
        QTest::addColumn<QString>("event");
        for (const char* event : {"press on the button", "click on the button", "release on the button",
                                  "right press on the balloon", "double-click on the button", "wheel over the button",
                                  "to another program", "back to this one"})
            QTest::newRow(event) << QString::fromLatin1(event);
    }
    void theFirstMouseEventOrSwitchClosesItAndReachesNothing()
    {
        QFETCH(QString, event);
        QSignalSpy closed(Balloon, &TBalloonHint::Closed);
        QSignalSpy pressed(Button, &QPushButton::pressed);
        Balloon->ShowAt(Notice, OnButton());
        QCOMPARE(QWidget::mouseGrabber(), Balloon);

        const QPoint at = Button->rect().center();
        QMouseEvent twice(QEvent::MouseButtonDblClick, at, Button->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
        QWheelEvent turn(at, Button->mapToGlobal(at), {}, {0, -120}, {}, {}, Qt::NoScrollPhase, false);
        if (event == "press on the button")
            QTest::mousePress(Button, Qt::LeftButton, {}, at);
        else if (event == "click on the button")
            QTest::mouseClick(Button, Qt::LeftButton, {}, at);
        else if (event == "release on the button")
            QTest::mouseRelease(Button, Qt::LeftButton, {}, at);
        else if (event == "right press on the balloon")
            QTest::mousePress(Balloon, Qt::RightButton, {}, Balloon->TextArea().center());
        else if (event == "double-click on the button")
            QApplication::sendEvent(Button, &twice);
        else if (event == "wheel over the button")
            QApplication::sendEvent(Button, &turn);
        else // the offscreen platform has no other program to switch to: its signal stands in
            emit qGuiApp->applicationStateChanged(event == "to another program" ? Qt::ApplicationInactive
                                                                                : Qt::ApplicationActive);
        QVERIFY(!Balloon->IsShowing());
        QVERIFY(Balloon->isHidden());
        QCOMPARE(closed.count(), 1);
        QCOMPARE(pressed.count(), 0);
        if (event == "press on the button")
            QTest::mouseRelease(Button, Qt::LeftButton, {}, at); // without its press: no click
        NextClickReachesTheButton();
        QCOMPARE(closed.count(), 1);
    }

    void typingStillReachesTheFocusedField()
    {
        Edit->setFocus();
        QCOMPARE(Host->focusWidget(), Edit);
        Balloon->ShowAt(Notice, OnButton());
        QCOMPARE(QWidget::keyboardGrabber(), nullptr);
        // Through the window system, as typing arrives: a keyboard grab would take it.
        QTest::keyClick(Host->windowHandle(), 'o');
        QTest::keyClick(Host->windowHandle(), 'k');
        QCOMPARE(Edit->text(), QStringLiteral("ok"));
        QVERIFY(Balloon->IsShowing());
    }

    void aSecondNoticeClosesTheFirst()
    {
        auto* other = new TBalloonHint(Host.get());
        QSignalSpy closed(Balloon, &TBalloonHint::Closed);
        const QPoint second = OnButton() + QPoint(30, 0);
        Balloon->ShowAt(QStringLiteral("first"), OnButton());
        Balloon->ShowAt(QStringLiteral("second"), second);
        QCOMPARE(closed.count(), 1);
        QVERIFY(Balloon->geometry().contains(second));
        other->ShowAt(QStringLiteral("third"), OnButton());
        QCOMPARE(closed.count(), 2);
        const QWidgetList windows = QApplication::topLevelWidgets();
        QCOMPARE(
            std::count_if(windows.begin(), windows.end(),
                          [](QWidget* window) { return qobject_cast<TBalloonHint*>(window) && window->isVisible(); }),
            1);
        QCOMPARE(QWidget::mouseGrabber(), other);
    }

    void destroyingTheOwnerWhileItShowsLetsGo()
    {
        auto* owner = new QWidget;
        QPointer<TBalloonHint> balloon = new TBalloonHint(owner);
        balloon->ShowAt(Notice, OnButton());
        delete owner;
        QVERIFY(balloon.isNull());
        NextClickReachesTheButton();
        Balloon->ShowAt(Notice, OnButton()); // nothing left behind to close first
        QVERIFY(Balloon->IsShowing());
    }
};

QTEST_MAIN(TBalloonHintTest)
#include "TBalloonHintTest.moc"
