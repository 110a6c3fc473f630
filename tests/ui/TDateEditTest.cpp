#include "UFindControl.h"
#include "ui/TDateEdit.h"

#include <QCalendarWidget>
#include <QFocusEvent>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace {

const QDate Today(2008, 7, 5);

QLocale LocaleNamed(const QString& name)
{
    return name == QLatin1String("C") ? QLocale::c() : QLocale(name);
}

} // namespace

class TDateEditTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void showsTheDateInTheUsersOrderWithPaddedSlots_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("text");
        QTest::newRow("month/day/year") << "en_US" << Today << " 7/ 5/2008";
        QTest::newRow("two-digit slots") << "en_US" << QDate(2008, 12, 25) << "12/25/2008";
        QTest::newRow("day/month/year") << "en_GB" << Today << " 5/ 7/2008";
        QTest::newRow("day.month.year") << "de_DE" << Today << " 5. 7.2008";
        QTest::newRow("year/month/day") << "ja_JP" << Today << "2008/ 7/ 5";
        QTest::newRow("year. month. day.") << "hu_HU" << Today << "2008. 7. 5";
        QTest::newRow("no user settings") << "C" << Today << " 7/ 5/2008";
    }

    void showsTheDateInTheUsersOrderWithPaddedSlots()
    {
        QFETCH(QString, locale);
        QFETCH(QDate, date);
        QFETCH(QString, text);
        QLocale::setDefault(LocaleNamed(locale));
        TDateEdit edit(date);
        QCOMPARE(edit.text(), text);
        QCOMPARE(edit.DateText(), text);
    }

    void typingKeepsAPossibleDate_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");    // after typing
        QTest::addColumn<QString>("returned"); // DateText(), also shown once the field is left
        QTest::newRow("whole date, padded") << "en_US"
                                            << "7/5/2008"
                                            << "7/5/2008"
                                            << " 7/ 5/2008";
        QTest::newRow("leading zeros") << "en_US"
                                       << "07/05/2008"
                                       << "07/05/2008"
                                       << " 7/ 5/2008";
        QTest::newRow("month 13") << "en_US"
                                  << "13"
                                  << "1"
                                  << "";
        QTest::newRow("30 February") << "en_US"
                                     << "2/30"
                                     << "2/3"
                                     << "";
        QTest::newRow("month 00") << "en_US"
                                  << "00"
                                  << "0"
                                  << "";
        QTest::newRow("letters, fifth year digit") << "en_US"
                                                   << "7x/5/20085"
                                                   << "7/5/2008"
                                                   << " 7/ 5/2008";
        QTest::newRow("29 February cut") << "en_US"
                                         << "2/29/2007"
                                         << "2/29/2007"
                                         << " 2/28/2007";
        QTest::newRow("unfinished") << "en_US"
                                    << "7/5/20"
                                    << "7/5/20"
                                    << "";
        QTest::newRow("other separator") << "de_DE"
                                         << "5/.7/.2008"
                                         << "5.7.2008"
                                         << " 5. 7.2008";
        QTest::newRow("year first") << "ja_JP"
                                    << "2008/7/31"
                                    << "2008/7/31"
                                    << "2008/ 7/31";
    }

    void typingKeepsAPossibleDate()
    {
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, returned);
        QLocale::setDefault(LocaleNamed(locale));
        TDateEdit edit(Today);
        edit.SetDateText(QString());
        QTest::keyClicks(&edit, typed);
        QCOMPARE(edit.text(), shown);
        QCOMPARE(edit.DateText(), returned);
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(&edit, &leave);
        QCOMPARE(edit.text(), returned);
    }

    void calendarStartsOnSundayAndPicksADate_data()
    {
        QTest::addColumn<QString>("handed");
        QTest::addColumn<QString>("picked"); // the day after the one the calendar opens on
        QTest::newRow("a date") << "31.12.2008"
                                << " 1. 1.2009";
        QTest::newRow("no date: opens on today") << ""
                                                 << " 6. 7.2008";
    }

    void calendarStartsOnSundayAndPicksADate()
    {
        QFETCH(QString, handed);
        QFETCH(QString, picked);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); // whose weeks start on Monday
        TDateEdit edit(Today);
        edit.show();
        edit.SetDateText(handed);
        auto* button = FindControl<QToolButton>(&edit, "btnCalendar");
        QVERIFY(button != nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        auto* calendar = edit.findChild<QCalendarWidget*>();
        QVERIFY(calendar != nullptr);
        QTRY_VERIFY(calendar->isVisible());
        QCOMPARE(calendar->firstDayOfWeek(), Qt::Sunday);
        auto* days = calendar->findChild<QTableView*>();
        QVERIFY(days != nullptr);
        QTest::keyClick(days, Qt::Key_Right);
        QCOMPARE(edit.DateText(), handed); // nothing taken before the pick
        QTest::keyClick(days, Qt::Key_Return);
        QTRY_VERIFY(!calendar->isVisible());
        QCOMPARE(edit.text(), picked);
        QCOMPARE(edit.DateText(), picked);
    }
};

QTEST_MAIN(TDateEditTest)
#include "TDateEditTest.moc"
