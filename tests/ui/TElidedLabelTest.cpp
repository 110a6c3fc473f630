#include "ui/TElidedLabel.h"
#include "UPinnedSettings.h"

#include <QHBoxLayout>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>

class TElidedLabelTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { PinLocaleAndFonts(); }

    void twoMillionCharactersAreCutWithTheirBeginningInTheToolTip()
    {
        QWidget window;
        auto* label = new TElidedLabel(QStringLiteral("Google"));
        (new QHBoxLayout(&window))->addWidget(label);
        window.resize(300, 40);
        window.show();
        const QSize minimum = window.minimumSizeHint();
        QCOMPARE(label->ShownText(), QStringLiteral("Google"));

        const QString text(2'000'000, u'W');
        label->setText(text);
        QCOMPARE(label->text(), text);
        QCOMPARE(window.minimumSizeHint(), minimum); // no text widens the window
        QVERIFY(label->ShownText().endsWith(QChar(0x2026)) && label->ShownText().size() < 300);
        QVERIFY(!label->grab().isNull());
        QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), label->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(label, &tip);
        QVERIFY(QToolTip::isVisible() && QToolTip::text().contains(QString(300, u'W')));
        QToolTip::hideText();
        // Beyond a line's worth, a longer text asks for no more room.
        QCOMPARE(label->sizeHint(), TElidedLabel(QString(300, u'W')).sizeHint());
    }
};

QTEST_MAIN(TElidedLabelTest)
#include "TElidedLabelTest.moc"
