#pragma once
// TNotesEdit: a multi-line text whose line breaks the model keeps as CR LF pairs, guarded
// like every text field (see UTextGuard).

#include <QPlainTextEdit>

#include <string>
#include <string_view>

class TNotesEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit TNotesEdit(QWidget* parent = nullptr);

    // Windows-1252 text; a CR LF pair, a lone CR and a lone LF each show as one line break.
    // Shown as it stands, even a text the guard would refuse to take from the user.
    void SetNotes(std::string_view notes);
    // Windows-1252 text with CR LF between the lines.
    [[nodiscard]] std::string Notes() const;

signals:
    // An edit was refused and undone, as QLineEdit says of its validator.
    void inputRejected();

private:
    void GuardEdit();
    [[nodiscard]] QString StoredText() const;

    void KeepCursor();

    QString Accepted;       // the editor's text after the last edit that was kept
    int AcceptedAnchor = 0; // the cursor and selection on that text, to return to
    int AcceptedPosition = 0;
    bool Reverting = false;
};
