#include "PlainText.h"

#include "common/UWindows1252.h"

#include <cstdio>

std::optional<std::string> TextToSeal(std::string_view plainFile, std::string& refusal)
{
    if (!IsUtf8BeyondAscii(plainFile))
        return std::string(plainFile);
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    if (plainFile.starts_with(ByteOrderMark))
        plainFile.remove_prefix(ByteOrderMark.size());
    TUtf8Conversion converted = Utf8ToWindows1252(plainFile);
    if (converted.Lacking == 0)
        return std::move(converted.Text);
    char codePoint[16];
    std::snprintf(codePoint, sizeof codePoint, "U+%04X", static_cast<unsigned>(converted.Lacking));
    refusal = "line " + std::to_string(converted.Line) + ", column " + std::to_string(converted.Column) + ": \"" +
        converted.LackingUtf8 + "\" (" + codePoint +
        ") has no Windows-1252 byte, and the program reads nothing else; nothing written";
    return std::nullopt;
}
