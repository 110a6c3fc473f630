#include "app/TFontWarmUp.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

TFontWarmUp::TFontWarmUp()
{
    try {
        Reader = std::thread([] { static_cast<void>(FcInit()); });
    } catch (const std::system_error&) {
        // Without a thread, Qt has fontconfig read its configuration when it needs it.
    }
}

void TFontWarmUp::Wait()
{
    if (Reader.joinable())
        Reader.join();
}
