#include "ui/UErrorHandler.h"

#include "common/UErrors.h"
#include "ui/UAnsiText.h"
#include "ui/UMessageService.h"

#include <cstdio>
#include <string>

namespace {

TMessageService* ErrorMessages = nullptr;

struct TErrorReport {
    std::string Text;
    std::string Trace;
};

TErrorReport Describe(std::exception_ptr error)
{
    try {
        std::rethrow_exception(std::move(error));
    } catch (const EAppError& e) {
        return {e.what(), e.StackTrace()};
    } catch (const std::exception& e) {
        return {e.what(), CurrentStackTrace()};
    } catch (...) {
        return {"Unknown error", CurrentStackTrace()};
    }
}

} // namespace

void SetErrorMessageService(TMessageService* service)
{
    ErrorMessages = service;
}

void ReportUnhandledError(std::exception_ptr error) noexcept
{
    try {
        const TErrorReport report = Describe(std::move(error));
        std::fprintf(stderr, "Taskwren: unhandled error: %s\n%s", report.Text.c_str(), report.Trace.c_str());
        std::fflush(stderr);
        if (ErrorMessages != nullptr)
            ErrorMessages->Warn(AnsiToQString(report.Text));
    } catch (...) {
        std::fputs("Taskwren: an error occurred while reporting an error\n", stderr);
    }
}

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ReportUnhandledError(std::current_exception());
        return false;
    }
}
