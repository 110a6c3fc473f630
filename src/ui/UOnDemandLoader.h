#pragma once
// Finds the functions of libtaskwren-ondemand.so (ondemand/UOnDemand.h): linked into this
// program, as in the tests, or else loaded from the program folder when first asked for.

#include <QString>

struct TOnDemand;

// The functions, or none when the library cannot be loaded; OnDemandFailure() says why.
[[nodiscard]] const TOnDemand* OnDemand();
[[nodiscard]] QString OnDemandFailure();
