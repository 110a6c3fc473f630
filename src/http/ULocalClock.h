#pragma once
// The local wall-clock time, behind a seam so that tests can pin it.

struct TLocalDateTime {
    int Year = 2000; // four digits
    int Month = 1;   // 1..12
    int Day = 1;     // 1..31
    int Hour = 0;    // 0..23
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0; // 0..999
};

class TLocalClock {
public:
    virtual ~TLocalClock() = default;
    [[nodiscard]] virtual TLocalDateTime Now() const = 0;
};

// The machine's clock in its local time zone.
class TSystemLocalClock final : public TLocalClock {
public:
    [[nodiscard]] TLocalDateTime Now() const override;
};
