#pragma once
// Cutting a text to the room it has, with "…" at its end. Only a prefix that could fill the
// room is ever laid out, so a text of millions of characters costs no more than a short one.

#include <QString>

class QAbstractButton;
class QFontMetrics;

// `text` cut at its end with "…" to fit `width` pixels.
[[nodiscard]] QString ElideToWidth(const QString& text, const QFontMetrics& metrics, int width);

// A tool tip with the whole of a cut text, wrapped into lines; a text of thousands of
// characters is cut there too.
[[nodiscard]] QString WholeTextTip(const QString& text);

// Gives a fixed-size button `caption`, cut to fit it, and the whole caption in its tool tip
// when it was cut.
void SetCaptionCut(QAbstractButton& button, const QString& caption);
