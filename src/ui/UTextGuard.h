#pragma once
// Keeps out of the text fields what the data files would not give back as typed (see
// UStorableText) and the characters that Windows-1252 cannot hold, so nothing the user types
// is changed or lost by a save. Only what an edit changes is judged, with one neighbour on
// each side: a text read from the files is shown as it stands and stays editable elsewhere.

#include "common/UStorableText.h"

#include <QString>
#include <QValidator>

class QLineEdit;
class QRect;
class QWidget;

// Where two texts differ: `after` has `Added` characters at `Start` where `before` had
// `Removed` ones.
struct TTextChange {
    qsizetype Start = 0;
    qsizetype Removed = 0;
    qsizetype Added = 0;
};
[[nodiscard]] TTextChange FindChange(const QString& before, const QString& after);

// Why the change from `before` to `after` cannot be kept, as a short hint for the user, or
// an empty text when it can. Line breaks are CR LF pairs, as the model stores them.
[[nodiscard]] QString RefusalHint(const QString& before, const QString& after, TTextLines lines);

// Shows `hint` for a few seconds below `cursorRect`, in the field's coordinates.
void ShowRefusalHint(QWidget& field, const QRect& cursorRect, const QString& hint);

// Refuses such edits, typed or pasted, in a one-line field: the field keeps its text and
// its cursor, and the hint shows.
class TLineGuard : public QValidator {
    Q_OBJECT

public:
    // Installs a guard as the validator of `edit`, which owns it.
    static void Guard(QLineEdit& edit);
    // Shows `text` in a guarded field as it stands, even one the guard would refuse to take
    // from the user.
    static void SetText(QLineEdit& edit, const QString& text);

    State validate(QString& input, int& position) const override;

private:
    explicit TLineGuard(QLineEdit& edit);

    QString Before; // the field's text before the edit being validated
    mutable QString Hint;
};
