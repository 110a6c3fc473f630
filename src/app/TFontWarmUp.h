#pragma once
// The fonts' start, begun on a second core. Fontconfig reads its configuration (a few dozen
// XML files) the first time any font is asked for, and Qt then lists every font of the
// machine; together they were a quarter of the start-up. The reading starts with the program,
// the list as soon as Qt has started, and the window waits for both before its first control,
// so that Qt finds them ready instead of doing them again.

#include <condition_variable>
#include <mutex>
#include <thread>

class TFontWarmUp {
public:
    TFontWarmUp();
    ~TFontWarmUp() { Wait(); }
    TFontWarmUp(const TFontWarmUp&) = delete;
    TFontWarmUp& operator=(const TFontWarmUp&) = delete;

    // The application object exists: Qt's list of fonts can be made.
    void QtStarted();
    // Waits for what has been begun; what has not is left to Qt.
    void Wait();

private:
    std::mutex Lock;
    std::condition_variable Changed;
    bool Started = false;
    bool Waiting = false;
    std::thread Reader;
};
