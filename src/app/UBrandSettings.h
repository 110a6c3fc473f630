#pragma once
// The branding values of this copy, read once at start from the publisher's settings file.
// Empty values leave the window in its built-in state.

#include <string>

struct TBrandSettings {
    std::string WelcomeText; // the chosen welcome page (HTML); empty: no welcome page
};
