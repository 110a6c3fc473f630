#pragma once
// How long a request waits, and in what slices.

struct THttpTimings {
    int ConnectTimeoutMs = 120000;  // "Connect timed out." after this
    int ConnectSliceMs = 125;       // sleep between pumps while connecting
    int IdleSliceMs = 250;          // wait for data between pumps while reading
    int RedirectBodyLimitMs = 4000; // a redirect's own body is given this long per wait
    int ErrorBodyLimitMs = 2000;    // the body of an error answer likewise
};
