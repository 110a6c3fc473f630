#pragma once
// Fontconfig reads its configuration (a few dozen XML files) the first time any font is asked
// for, and that reading was a fifth of the start-up. Begun on a second core as the program
// starts, it runs while Qt starts; the window waits for it before its first control, so that
// Qt finds fontconfig ready instead of reading everything a second time.

#include <thread>

class TFontWarmUp {
public:
    TFontWarmUp();
    ~TFontWarmUp() { Wait(); }
    TFontWarmUp(const TFontWarmUp&) = delete;
    TFontWarmUp& operator=(const TFontWarmUp&) = delete;

    void Wait();

private:
    std::thread Reader;
};
