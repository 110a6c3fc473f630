#include "common/UErrors.h"

#if __has_include(<execinfo.h>)
#include <execinfo.h>
#define TASKWREN_HAVE_BACKTRACE 1
#endif

#include <cstdlib>

namespace {

constexpr int MaxFrames = 64;

std::vector<void*> CaptureFrames()
{
#ifdef TASKWREN_HAVE_BACKTRACE
    std::vector<void*> frames(MaxFrames);
    frames.resize(static_cast<std::size_t>(::backtrace(frames.data(), MaxFrames)));
    return frames;
#else
    return {};
#endif
}

std::string Describe(const std::vector<void*>& frames)
{
    std::string text;
#ifdef TASKWREN_HAVE_BACKTRACE
    char** symbols = ::backtrace_symbols(frames.data(), static_cast<int>(frames.size()));
    if (symbols == nullptr)
        return text;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        text += "  ";
        text += symbols[i];
        text += '\n';
    }
    std::free(symbols); // NOLINT: backtrace_symbols hands over one malloc'd block
#else
    (void)frames;
#endif
    return text;
}

} // namespace

EAppError::EAppError(const std::string& message)
    : std::runtime_error(message)
    , Frames(CaptureFrames())
{
}

std::string EAppError::StackTrace() const
{
    return Describe(Frames);
}

std::string CurrentStackTrace()
{
    return Describe(CaptureFrames());
}
