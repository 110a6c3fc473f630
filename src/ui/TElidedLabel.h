#pragma once
// A one-line label that never widens its window: a text wider than the label is cut with "…"
// (see UElide), and its whole text shows in the tool tip.

#include <QLabel>

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
