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
}

void TNotesEdit::SetNotes(const std::string& notes)
{
    QString text = AnsiToQString(notes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar::CarriageReturn, QChar::LineFeed);
    Reverting = true;
    setPlainText(text);
    Reverting = false;
    Accepted = EditorText(*this);
}

std::string TNotesEdit::Notes() const
{
    return QStringToAnsi(StoredText());
}

QString TNotesEdit::StoredText() const
{
    return WithStoredLineBreaks(EditorText(*this));
}

void TNotesEdit::GuardEdit()
{
    if (Reverting)
        return;
    const QString now = EditorText(*this);
    const QString hint = RefusalHint(WithStoredLineBreaks(Accepted), WithStoredLineBreaks(now), TTextLines::Many);
    if (hint.isEmpty()) {
        Accepted = now;
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
    Reverting = false;
    setTextCursor(cursor);
    ShowRefusalHint(*this, cursorRect(), hint);
}
