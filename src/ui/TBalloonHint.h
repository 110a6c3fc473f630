#pragma once
// TBalloonHint: the balloon notice. A rounded box with a pointer whose tip lies on
// a point of the screen, a 4-pixel drop shadow, tool-tip colours and wrapped text. While it
// shows it holds the mouse: the first button press, release, double-click or wheel turn
// anywhere closes it and reaches nothing else; so does a switch of application. The keyboard
// stays with the program.

#include <QFont>
#include <QRect>
#include <QTextLayout>
#include <QWidget>

// Where the balloon lies against its target point: below or above it, extending to its left
// or to its right. Tried in this order until the balloon fits on the screen.
enum class TBalloonPosition { BelowLeft, BelowRight, AboveLeft, AboveRight };

struct TBalloonPlacement {
    QRect Frame; // the whole window: body, pointer and shadow
    TBalloonPosition Position = TBalloonPosition::BelowLeft;
};

// The pointer's tip inside a balloon window of `size` (body, pointer and shadow) at `position`.
[[nodiscard]] QPoint BalloonTip(QSize size, TBalloonPosition position);

// The first position of the cycle whose frame, with its tip on `target`, has both its top-left
// and its bottom-right corner on `screen`; when none has, the last one tried (above-right).
[[nodiscard]] TBalloonPlacement PlaceBalloon(QSize size, QPoint target, const QRect& screen);

class TBalloonHint : public QWidget {
    Q_OBJECT

public:
    // A window of its own, owned by `owner`, which may be destroyed while it shows.
    explicit TBalloonHint(QWidget* owner);
    ~TBalloonHint() override;

    // Closes any balloon that shows (this one or another), then shows `text` pointing at
    // `target`, in screen coordinates. A CR LF pair, a lone CR and a lone LF each break the line.
    void ShowAt(const QString& text, QPoint target);
    void Dismiss();
    [[nodiscard]] bool IsShowing() const { return Showing; }
    // The text of the last showing, as given.
    [[nodiscard]] const QString& ShownText() const { return Given; }

    [[nodiscard]] TBalloonPosition Position() const { return Placed; }
    // Where the wrapped text is drawn, in the balloon's coordinates.
    [[nodiscard]] QRect TextArea() const;

    // "MS Sans Serif" at 11 pixels (8 points), a sans-serif font where it is missing.
    [[nodiscard]] static QFont NoticeFont();

signals:
    void Closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Release();
    void ApplicationStateChanged(Qt::ApplicationState state);
    // Lays out the lines of `text` that fit in `maxHeight` (at least one).
    [[nodiscard]] QSize LayOut(const QString& text, int wrapWidth, int maxHeight);

    QString Given;
    QTextLayout Text;
    QSize TextSize;
    TBalloonPosition Placed = TBalloonPosition::BelowLeft;
    bool Showing = false;
    bool AwaitingActivation = false; // shown before the program came to the front
};
