// libFuzzer target: any answer of the news service and any update description reads
// without a crash or a hang, and the parsers keep their promises on it.

#include "common/UIniText.h"
#include "common/UUtils.h"
#include "news/UNewsAnswers.h"
#include "news/UUpdateDescription.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string_view trimmed = TrimAnswer(bytes);

    std::vector<std::string> list;
    AppendNewsRecords(trimmed, list);
    for (const std::string& record : list) {
        if (record.empty() || record == "OK" || record.find(NewsRecordSeparator) != std::string::npos)
            std::abort();
        static_cast<void>(SplitNewsRecord(record));
    }
    const TLastNews last = ParseLastNews(trimmed);
    static_cast<void>(NewsIdValue(last.Id));
    // Decoding never grows the text, and an escape-free text decodes to itself.
    const std::string body = ParseNewsDetails(trimmed);
    if (body.size() > trimmed.size())
        std::abort();
    if (bytes.find('$') == std::string_view::npos && DecodeHexEscapes(bytes) != bytes)
        std::abort();
    static_cast<void>(NewsErrorMessage(trimmed, TNewsRequest::Details));

    const std::string version = AnnouncedVersion(bytes);
    static_cast<void>(IsNewerVersion(version, "2.0"));
    static_cast<void>(ReadIniValue(bytes, "", ""));
    return 0;
}
