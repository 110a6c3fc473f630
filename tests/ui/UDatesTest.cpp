#include "ui/UDates.h"

#include <QLocale>
#include <QTest>

class UDatesTest : public QObject {
    Q_OBJECT

private slots:
    void shortDateTextWidensATwoDigitYearAndDefaultsToMonthFirst()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(ShortDateText(QDate(2008, 7, 5)), QStringLiteral("7/5/2008"));
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(ShortDateText(QDate(2008, 7, 5)), QStringLiteral("05.07.2008"));
        QLocale::setDefault(QLocale::c());
        QCOMPARE(ShortDateText(QDate(2008, 7, 5)), QStringLiteral("7/5/2008"));
    }
};

QTEST_GUILESS_MAIN(UDatesTest)
#include "UDatesTest.moc"
