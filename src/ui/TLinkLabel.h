#pragma once
// A link label: underlined, blue while the pointer is over it, a hand pointer, and a
// click signal, which Return and Space give too. A long caption is cut with "…". The address
// it opens is kept with it.

#include "ui/TElidedLabel.h"

class TLinkLabel : public TElidedLabel {
    Q_OBJECT

public:
    explicit TLinkLabel(const QString& caption, QWidget* parent = nullptr);

    QString Address;

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetHot(bool hot);
};
