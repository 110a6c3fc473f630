#include "ui/TNotesEdit.h"

#include "ui/UAnsiText.h"
#include "ui/UTextGuard.h"

#include <QTextCursor>
#include <QTextDocument>

namespace {

// The editor's own text keeps U+2029 between paragraphs and U+2028 for a line break within
// one (Shift+Enter); toPlainText() would also turn no-break spaces into blanks.
QString EditorText(const QPlainTextEdit& edit)
{
    return edit.document()->toRawText();
}

QString WithStoredLineBreaks(QString text)
{
    text.replace(QChar::ParagraphSeparator, QChar::LineFeed);
    text.replace(QChar::LineSeparator, QChar::LineFeed);
    return text.replace(QChar::LineFeed, QStringLiteral("\r\n"));
}

} // namespace

TNotesEdit::TNotesEdit(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &TNotesEdit::GuardEdit);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (!Reverting && EditorText(*this) == Accepted)
            KeepCursor();
    });
}

void TNotesEdit::SetNotes(std::string_view notes)
{
    QString text = AnsiToQString(notes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar::CarriageReturn, QChar::LineFeed);
    Reverting = true;
    setPlainText(text);
    Reverting = false;
    Accepted = EditorText(*this);
    KeepCursor();
}

std::string TNotesEdit::Notes() const
{
    return QStringToAnsi(StoredText());
}

QString TNotesEdit::StoredText() const
{
    return WithStoredLineBreaks(EditorText(*this));
}

void TNotesEdit::KeepCursor()
{
    AcceptedAnchor = textCursor().anchor();
    AcceptedPosition = textCursor().position();
}

void TNotesEdit::GuardEdit()
{
    if (Reverting)
        return;
    const QString now = EditorText(*this);
    const QString hint = RefusalHint(WithStoredLineBreaks(Accepted), WithStoredLineBreaks(now), TTextLines::Many);
    if (hint.isEmpty()) {
        Accepted = now;
        KeepCursor();
        return;
    }
    const TTextChange change = FindChange(Accepted, now);
    Reverting = true;
    QTextCursor cursor(document());
    cursor.setPosition(static_cast<int>(change.Start));
    cursor.setPosition(static_cast<int>(change.Start + change.Added), QTextCursor::KeepAnchor);
    cursor.insertText(Accepted.mid(change.Start, change.Removed));
    // Undoing the revert would bring the refused text back only to refuse it again, so the
    // field starts a new undo history instead.
    document()->clearUndoRedoStacks();
    cursor.setPosition(AcceptedAnchor);
    cursor.setPosition(AcceptedPosition, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    Reverting = false;
    ShowRefusalHint(*this, cursorRect(), hint);
    emit inputRejected();
}
