#include "ui/UAnsiText.h"

#include <QTest>

class UAnsiTextTest : public QObject {
    Q_OBJECT

private slots:
    void everyByteSurvivesTheRoundTrip()
    {
        std::string all;
        for (int byte = 0; byte < 256; ++byte)
            all.push_back(static_cast<char>(byte));
        const QString text = AnsiToQString(all);
        QCOMPARE(text.size(), 256);
        QVERIFY(QStringToAnsi(text) == all);
    }

    void highBytesMapToTheirWindows1252Characters()
    {
        QCOMPARE(AnsiToQString("\x80\x8A\x9F\xA5\xA7\xE9"), QString::fromUtf8("€ŠŸ¥§é"));
        QCOMPARE(AnsiToQString("\x81\x8D\x8F\x90\x9D"), QString::fromUtf16(u"\u0081\u008D\u008F\u0090\u009D"));
        QVERIFY(QStringToAnsi(QString::fromUtf8("“quoted” – 5€")) == "\x93quoted\x94 \x96 5\x80");
    }

    void charactersOutsideTheCodePageBecomeQuestionMarks()
    {
        QVERIFY(QStringToAnsi(QString::fromUtf8("a→b😀c")) == "a?b?c");
    }

    void findsTheFirstCharacterOutsideTheCodePage()
    {
        std::string all;
        for (int byte = 0; byte < 256; ++byte)
            all.push_back(static_cast<char>(byte));
        QCOMPARE(FindNonAnsiCharacter(AnsiToQString(all)), -1);
        QCOMPARE(FindNonAnsiCharacter(QString::fromUtf8("?€😀→")), 2);
        QCOMPARE(FindNonAnsiCharacter(QString::fromUtf8("ab→")), 2);
    }
};

QTEST_GUILESS_MAIN(UAnsiTextTest)
#include "UAnsiTextTest.moc"
