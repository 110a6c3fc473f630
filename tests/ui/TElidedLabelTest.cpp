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

    void aTextWiderThanTheLabelIsCutWithItsWholeTextInTheToolTip_data()
    {
        QTest::addColumn<qsizetype>("length");
        QTest::newRow("fits") << qsizetype(6);
        QTest::newRow("a long name") << qsizetype(300);
        QTest::newRow("two million characters") << qsizetype(2'000'000);
    }

    void aTextWiderThanTheLabelIsCutWithItsWholeTextInTheToolTip()
    {
        QFETCH(qsizetype, length);
        QWidget window;
        auto* label = new TElidedLabel(QStringLiteral("Google"));
        (new QHBoxLayout(&window))->addWidget(label);
        window.resize(300, 40);
        window.show();
        const QSize minimum = window.minimumSizeHint();
        const QSize wish = label->sizeHint();

        const QString text(length, u'W');
        label->setText(text);
        QCOMPARE(label->text(), text);
        QCOMPARE(window.minimumSizeHint(), minimum); // no text widens the window
        QVERIFY(!label->grab().isNull());
        QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), label->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(label, &tip);
        if (length == 6) {
            QCOMPARE(label->ShownText(), text);
            QVERIFY(!QToolTip::isVisible());
            return;
        }
        QVERIFY(label->ShownText().endsWith(QChar(0x2026)));
        QVERIFY(label->ShownText().size() < 300);
        QVERIFY(label->sizeHint().width() > wish.width());
        QVERIFY(QToolTip::isVisible() && QToolTip::text().contains(QString(300, u'W')));
        QToolTip::hideText();

        // Beyond a line's worth, a longer text asks for no more room.
        label->setText(text + text);
        QCOMPARE(label->sizeHint().width(), TElidedLabel(QString(300, u'W')).sizeHint().width());
    }
};

QTEST_MAIN(TElidedLabelTest)
#include "TElidedLabelTest.moc"
