#pragma once
// How long a request waits, and in what slices.

struct THttpTimings {
    int ConnectTimeoutMs = 120000;  // "Connect timed out." after this
    int ConnectSliceMs = 125;       // sleep between pumps while connecting
    int IdleSliceMs = 250;          // the longest time between pumps while sending or reading
    int RedirectBodyLimitMs = 4000; // a redirect's own body is given this long in all
    int ErrorBodyLimitMs = 2000;    // the body of an error answer likewise
};
