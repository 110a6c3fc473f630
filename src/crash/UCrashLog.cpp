#include "crash/UCrashLog.h"

#include "common/UErrors.h"
#include "common/UProgramFolder.h"

namespace {

std::string MarkedOffered(std::string_view log)
{
    std::string marked;
    marked.reserve(log.size());
    for (auto at = log.find(NewCrashReportHeader); at != std::string_view::npos; at = log.find(NewCrashReportHeader)) {
        marked.append(log.substr(0, at)).append(OfferedCrashReportHeader);
        log.remove_prefix(at + NewCrashReportHeader.size());
    }
    return marked.append(log);
}

} // namespace

std::optional<std::string> TakeUnofferedCrashReport(TProgramFolder& folder)
{
    try {
        const std::optional<std::string> log = folder.ReadFile(CrashLogName);
        if (!log || !log->starts_with(NewCrashReportHeader))
            return std::nullopt;
        folder.WriteFile(CrashLogName, MarkedOffered(*log));
        const std::size_t start = NewCrashReportHeader.size();
        const std::size_t next = log->find(CrashReportBoundary, start - 1); // the report before it
        return std::string(OfferedCrashReportHeader) +
            log->substr(start, next == std::string::npos ? std::string::npos : next + 1 - start);
    } catch (const EFileError&) {
        return std::nullopt;
    }
}
