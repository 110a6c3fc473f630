#pragma once
// A one-line label that never widens its window: a text wider than the label is cut with "…",
// and its full text shows in the tool tip. Only a prefix of the text that could fill a line
// is ever laid out, so a caption of millions of characters costs no more than a short one.

#include <QLabel>

class QFontMetrics;

class TElidedLabel : public QLabel {
    Q_OBJECT

public:
    explicit TElidedLabel(const QString& text = QString(), QWidget* parent = nullptr);

    // The text as drawn in the label's present width.
    [[nodiscard]] QString ShownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] QSize WithMargins(int textWidth) const;
};

// `text` cut at its end with "…" to fit `width` pixels, laid out from a bounded prefix only.
[[nodiscard]] QString ElideToWidth(const QString& text, const QFontMetrics& metrics, int width);
