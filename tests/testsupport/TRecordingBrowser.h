#pragma once
// A browser launcher for tests: records every address it is asked to open.

#include "ui/UBrowserLauncher.h"

#include <string>
#include <vector>

class TRecordingBrowser : public TBrowserLauncher {
public:
    bool Open(const std::string& address) override
    {
        Opened.push_back(address);
        return Answer;
    }

    std::vector<std::string> Opened;
    bool Answer = true; // false plays a desktop without a browser
};
