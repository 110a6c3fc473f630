#pragma once
// Starts the user's web browser on an address; tests record the address instead.

#include <string>

class TBrowserLauncher {
public:
    virtual ~TBrowserLauncher() = default;
    // `address` is Windows-1252 text as the settings give it.
    virtual void Open(const std::string& address) = 0;
};

// The desktop's default handler for the address.
class TDesktopBrowserLauncher : public TBrowserLauncher {
public:
    void Open(const std::string& address) override;
};
