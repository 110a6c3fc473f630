#pragma once
// What the tests of the HTTP client share: a pump that counts its calls and can act inside
// them, a fixed local time, short waits, and the text of a failure.

#include "http/UHttp.h"
#include "http/ULocalClock.h"
#include "http/UMessagePump.h"

#include <functional>
#include <string>

class TCountingPump final : public TMessagePump {
public:
    void Pump() override
    {
        ++Calls;
        if (OnPump)
            OnPump();
    }
    int Calls = 0;
    std::function<void()> OnPump;
};

class TFixedClock final : public TLocalClock {
public:
    [[nodiscard]] TLocalDateTime Now() const override { return {2026, 12, 9, 5, 7, 3, 42}; }
};

// Short waits keep the suites quick; the slicing logic is the same.
inline THttpClientOptions FastOptions()
{
    THttpClientOptions options;
    options.Timings.ConnectTimeoutMs = 400;
    options.Timings.ConnectSliceMs = 10;
    options.Timings.IdleSliceMs = 20;
    options.Timings.RedirectBodyLimitMs = 200;
    options.Timings.ErrorBodyLimitMs = 100;
    return options;
}

// The what() of the EHttpError the call throws, or "no exception".
inline std::string FailureOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const EHttpError& error) {
        return error.what();
    }
    return "no exception";
}
