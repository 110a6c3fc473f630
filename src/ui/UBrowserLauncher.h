#pragma once
// Starts the user's web browser on an address; tests record the address instead.

#include <string>
#include <string_view>

class TBrowserLauncher {
public:
    virtual ~TBrowserLauncher() = default;
    // Opens a web address (see WebAddress), Windows-1252 text; an empty one starts the
    // browser on its own page. False when no browser could be started.
    virtual bool Open(const std::string& address) = 0;
};

// The desktop's default browser (see DefaultBrowserCommand; else xdg-open), started with
// the address unchanged as its last argument.
class TDesktopBrowserLauncher : public TBrowserLauncher {
public:
    bool Open(const std::string& address) override;
};

// Opens `address` through `launcher` when it is a web address; anything else (a local
// path, another scheme) is refused and false. Callers may ignore the result.
bool OpenInBrowser(TBrowserLauncher& launcher, std::string_view address);
