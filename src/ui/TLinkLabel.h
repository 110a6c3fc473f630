#pragma once
// A link label: underlined, blue while the pointer is over it, a hand pointer, and a
// click signal. The address it opens is kept with it.

#include <QLabel>

class TLinkLabel : public QLabel {
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

private:
    void SetHot(bool hot);
};
