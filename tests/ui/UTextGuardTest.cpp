#include "ui/UTextGuard.h"
#include "ui/TNotesEdit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

namespace {

enum class TAction { Type, Paste, Backspace, Delete };

void Apply(QWidget& field, TAction action, const QString& input)
{
    switch (action) {
    case TAction::Type:
        for (QChar c : input) {
            if (c == QLatin1Char('\n'))
                QTest::keyClick(&field, Qt::Key_Return);
            else // keyClicks() would type only Latin-1
                QTest::sendKeyEvent(QTest::Click, &field, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        break;
    case TAction::Paste:
        QGuiApplication::clipboard()->setText(input);
        QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
        break;
    case TAction::Backspace:
        QTest::keyClick(&field, Qt::Key_Backspace);
        break;
    case TAction::Delete:
        QTest::keyClick(&field, Qt::Key_Delete);
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(TAction)

class UTextGuardTest : public QObject {
    Q_OBJECT

private slots:
    void refusesWhatTheFilesCannotGiveBack_data()
    {
        QTest::addColumn<bool>("notes");
        QTest::addColumn<QString>("shown"); // CR LF between lines, as the model holds them
        QTest::addColumn<int>("cursor");
        QTest::addColumn<TAction>("action");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("result"); // LF between lines, as the editor shows them
        QTest::addColumn<QString>("hint");   // empty when the edit is kept
        const auto u = [](const char* text) { return QString::fromUtf8(text); };
        const QString yenYen = u("\"¥¥\" cannot be saved: it would come back as a line break.");
        const QString yenEnd = u("\"¥\" cannot end a line.");
        const QString caret = u("\"^\" cannot be saved.");
        const auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };

        row("caret") << false << u("ab") << 1 << TAction::Type << u("^") << u("ab") << caret;
        row("Windows-1252 letters") << false << u("ab") << 2 << TAction::Type << u("€é¥") << u("ab€é¥") << QString();
        row("arrow") << false << u("ab") << 2 << TAction::Type << u("→") << u("ab")
                     << u("\"→\" cannot be saved: only Western European characters can.");
        row("pasted emoji") << false << u("ab") << 2 << TAction::Paste << u("x😀") << u("ab")
                            << u("\"😀\" cannot be saved: only Western European characters can.");
        row("second yen") << false << u("a¥") << 2 << TAction::Type << u("¥") << u("a¥") << yenYen;
        row("yens apart") << false << u("a¥") << 2 << TAction::Type << u("x¥") << u("a¥x¥") << QString();
        row("section before section") << false << u("§") << 0 << TAction::Type << u("§") << u("§")
                                      << u("\"§§\" cannot be saved: it would come back as a line break.");
        row("deletion joins yens") << false << u("¥x¥") << 2 << TAction::Backspace << QString() << u("¥x¥") << yenYen;
        row("deletion joins sections") << false << u("§x§") << 1 << TAction::Delete << QString() << u("§x§")
                                       << u("\"§§\" cannot be saved: it would come back as a line break.");
        row("pasted line break") << false << u("ab") << 1 << TAction::Paste << u("1\n2") << u("ab")
                                 << u("This field holds a single line.");
        row("beside a caret read from the files")
            << false << u("a^b") << 3 << TAction::Type << u("c") << u("a^bc") << QString();
        row("yen ends a line") << true << u("one\r\ntwo") << 3 << TAction::Type << u("¥") << u("one\ntwo") << yenEnd;
        row("yen ends the notes") << true << u("one\r\ntwo") << 7 << TAction::Type << u("¥") << u("one\ntwo¥")
                                  << QString();
        row("line break after yen") << true << u("one¥") << 4 << TAction::Type << u("\n") << u("one¥") << yenEnd;
        row("deletion brings yen to the end")
            << true << u("¥x\r\ny") << 1 << TAction::Delete << QString() << u("¥x\ny") << yenEnd;
        row("pasted lines with a caret") << true << u("a") << 1 << TAction::Paste << u("b\nc^") << u("a") << caret;
        row("pasted lines") << true << u("a") << 1 << TAction::Paste << u("b\r\n§") << u("ab\n§") << QString();
    }

    void refusesWhatTheFilesCannotGiveBack()
    {
        QFETCH(bool, notes);
        QFETCH(QString, shown);
        QFETCH(int, cursor);
        QFETCH(TAction, action);
        QFETCH(QString, input);
        QFETCH(QString, result);
        QFETCH(QString, hint);
        QLineEdit line;
        TLineGuard::Guard(line);
        TNotesEdit memo;
        QWidget& field = notes ? static_cast<QWidget&>(memo) : line;
        field.show();
        std::unique_ptr<QSignalSpy> refused;
        if (notes) {
            memo.SetNotes(shown.toLatin1().toStdString());
            QTextCursor at = memo.textCursor();
            at.setPosition(cursor);
            memo.setTextCursor(at);
            refused = std::make_unique<QSignalSpy>(&memo, &TNotesEdit::inputRejected);
        } else {
            TLineGuard::SetText(line, shown);
            line.setCursorPosition(cursor);
            refused = std::make_unique<QSignalSpy>(&line, &QLineEdit::inputRejected);
        }
        Apply(field, action, input);
        QCOMPARE(notes ? memo.toPlainText() : line.text(), result);
        QCOMPARE(refused->count() > 0, !hint.isEmpty());
        if (!hint.isEmpty()) {
            QCOMPARE(QToolTip::text(), hint);
            QCOMPARE(notes ? memo.textCursor().position() : line.cursorPosition(), cursor);
        }
    }

    // Undoing the revert would bring the refused text back, only to be refused again.
    void undoNeverBringsARefusedEditBack()
    {
        QLineEdit line;
        TLineGuard::Guard(line);
        TNotesEdit memo;
        QSignalSpy lineRefused(&line, &QLineEdit::inputRejected);
        QSignalSpy memoRefused(&memo, &TNotesEdit::inputRejected);
        for (QWidget* field : {static_cast<QWidget*>(&line), static_cast<QWidget*>(&memo)}) {
            QTest::keyClicks(field, QStringLiteral("ab^c"));
            for (int i = 0; i < 3; ++i)
                QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
        }
        QCOMPARE(lineRefused.count(), 1);
        QCOMPARE(memoRefused.count(), 1);
    }
};

QTEST_MAIN(UTextGuardTest)
#include "UTextGuardTest.moc"
