#include "brand/UBrandSettingsReader.h"

#include "common/UAsciiText.h"

namespace {

// One pass over the text: replacing in place would move the whole rest at every marker.
std::string ReplaceAll(std::string_view text, std::string_view marker, std::string_view replacement)
{
    std::string result;
    result.reserve(text.size());
    for (auto at = text.find(marker); at != std::string_view::npos; at = text.find(marker)) {
        result.append(text.substr(0, at)).append(replacement);
        text.remove_prefix(at + marker.size());
    }
    result.append(text);
    return result;
}

// Reads the elements one after another, each search starting where the last one stopped.
class TReader {
public:
    TReader(std::string_view working, std::vector<TElementRead>* reads)
        : Whole(working)
        , Rest(working)
        , Reads(reads)
    {
    }

    std::string operator()(const std::string& name)
    {
        const std::string open = "<%%" + name + "%%>";
        const std::string close = "<%%/" + name + "%%>";
        const char* before = Rest.data();
        std::string value = ExtractTagValue(open, close, Rest);
        if (Reads != nullptr) {
            TElementRead read;
            read.Name = name;
            if (Rest.data() != before) {
                // Rest starts at the close tag, or right after the open tag without one.
                read.Closed = FindIgnoringAsciiCase(Rest.substr(0, close.size()), close) == 0;
                read.Offset = static_cast<std::size_t>(Rest.data() - Whole.data()) - open.size() -
                    (read.Closed ? value.size() : 0);
            }
            read.Value = value;
            Reads->push_back(std::move(read));
        }
        return value;
    }

private:
    std::string_view Whole;
    std::string_view Rest;
    std::vector<TElementRead>* Reads;
};

// Entries 1, 2, 3 ... up to the first empty or missing one, at most MaxListEntries.
std::vector<std::string> ReadList(TReader& read, const std::string& name)
{
    std::vector<std::string> list;
    for (int n = 1; n <= MaxListEntries; ++n) {
        std::string value = read(name + std::to_string(n));
        if (value.empty())
            break;
        list.push_back(std::move(value));
    }
    return list;
}

} // namespace

std::string WorkingText(std::string_view plain)
{
    plain = plain.substr(0, plain.find('\0'));
    std::string text;
    text.reserve(plain.size() + 2);
    for (std::size_t i = 0; i < plain.size(); ++i) {
        if (plain[i] == '\r' || plain[i] == '\n') {
            if (plain[i] == '\r' && i + 1 < plain.size() && plain[i + 1] == '\n')
                ++i;
            text += "\r\n";
        } else {
            text += plain[i];
        }
    }
    if (!plain.empty() && plain.back() != '\r' && plain.back() != '\n')
        text += "\r\n";
    return text;
}

std::string ExtractTagValue(std::string_view openTag, std::string_view closeTag, std::string_view& text)
{
    const std::size_t open = FindIgnoringAsciiCase(text, openTag);
    if (open == std::string_view::npos)
        return {};
    text.remove_prefix(open + openTag.size());
    const std::size_t close = FindIgnoringAsciiCase(text, closeTag);
    if (close == std::string_view::npos)
        return {};
    std::string value(text.substr(0, close));
    text.remove_prefix(close);
    return value;
}

TBrandSettings ParseBrandSettings(std::string_view plain, std::vector<TElementRead>* reads)
{
    const std::string working = WorkingText(plain);
    TReader read(working, reads);
    TBrandSettings settings;
    settings.Loaded = true;
    settings.ApplicationName = read("ApplicationName");
    settings.BranderCode = read("BranderCode");
    settings.BranderType = read("BranderType");
    settings.AffiliateURL = read("AffiliateURL");
    settings.AffiliateTYPE = read("AffiliateTYPE");
    settings.AffiliateID = read("AffiliateID");
    settings.AffiliateURL = ReplaceAll(settings.AffiliateURL, "%%AFFILIATEID%%", settings.AffiliateID);
    settings.MasterNewsBaseURL = read("MasterNewsBaseURL");
    settings.PlatinumNewsBaseURL = read("PlatinumNewsBaseURL");
    settings.GoldNewsBaseURL = read("GoldNewsBaseURL");
    settings.MasterPublID = read("MasterPublID");
    settings.PlatinumPublID = read("PlatinumPublID");
    settings.GoldPublID = read("GoldPublID");
    settings.MakeMoneyButton = read("MakeMoneyButton");
    settings.AppHelpURL = read("AppHelpURL");
    settings.CopyrightYears = read("CopyrightYears");
    settings.CopyrightCompany = read("CopyrightCompany");
    settings.AboutText = read("AboutText");
    settings.Welcomes = ReadList(read, "Welcome");
    settings.Banners = ReadList(read, "Banner");
    settings.Links = ReadList(read, "Link");
    return settings;
}
