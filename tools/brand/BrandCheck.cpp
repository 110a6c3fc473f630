#include "BrandCheck.h"

#include "CheckWarnings.h"
#include "ElementScan.h"
#include "brand/UBrandChoice.h"
#include "brand/UBrandRules.h"
#include "brand/UBrandSettingsReader.h"
#include "common/UErrors.h"
#include "common/UProgramFolder.h"
#include "crypto/USettingsContainer.h"
#include "common/UWebAddress.h"
#include "common/UWindows1252.h"

#include <filesystem>
#include <ostream>

namespace {

// A value on one line, in UTF-8: control bytes and the bytes Windows-1252 leaves undefined
// written as escapes.
std::string Shown(std::string_view value)
{
    static constexpr char Hex[] = "0123456789abcdef";
    std::string shown = "\"";
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r')
            shown += "\\r";
        else if (c == '\n')
            shown += "\\n";
        else if (c == '"' || c == '\\')
            shown += std::string("\\") + c;
        else if (byte < 0x20 || byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 ||
                 byte == 0x9D)
            shown += std::string("\\x") + Hex[byte >> 4] + Hex[byte & 15];
        else
            shown += Windows1252ToUtf8(std::string_view(&c, 1));
    }
    return shown + "\"";
}

// The decrypted text; none (after reporting why) when there is nothing to read.
std::optional<std::string> Decrypted(const std::string& settingsPath, std::ostream& out, bool& failed)
{
    const std::filesystem::path path(settingsPath);
    std::optional<std::string> container;
    try {
        const TProgramFolder folder(path.has_parent_path() ? path.parent_path() : ".");
        container = folder.ReadFile(path.filename().string());
    } catch (const EFileError& error) {
        out << "error: " << error.what() << '\n';
        failed = true;
        return std::nullopt;
    }
    if (!container) {
        out << "error: no settings file \"" << settingsPath << "\": the program keeps its built-in look\n";
        failed = true;
        return std::nullopt;
    }
    std::string plain;
    const TCryptFailure failure = DecryptSettings(*container, plain);
    if (failure == TCryptFailure::None) {
        out << "container: sound\n";
        return plain;
    }
    out << "error: the container fails: " << CryptFailureText(failure) << '\n';
    failed = true;
    if (failure != TCryptFailure::Code)
        return std::nullopt;
    out << "the program still reads the decrypted text, as follows\n";
    return plain;
}

void ReportValues(const std::vector<TElementRead>& reads, const TBrandSettings& settings, std::ostream& out)
{
    for (const TElementRead& read : reads) {
        if (read.Offset == std::string::npos)
            out << read.Name << ": not found\n";
        else
            out << read.Name << ": " << Shown(read.Value) << '\n';
        if (read.Name == "AffiliateID" && read.Offset != std::string::npos)
            out << "AffiliateURL as opened: " << Shown(settings.AffiliateURL) << '\n';
    }
    out << "caption: " << Shown(WindowCaption(settings)) << '\n';
    out << "Make Money caption: " << Shown(MakeMoneyCaption(settings)) << '\n';
}

// Whether the program finds a banner data file it can read: by its name, else in another
// letter case (as copied from a case-insensitive file system), and a regular file.
bool BannerFileFound(const std::string& folderPath, const std::string& file)
{
    const TProgramFolder folder(folderPath);
    try {
        const std::optional<std::string> name = folder.ExistingName(file);
        std::error_code error;
        return name && std::filesystem::is_regular_file(folder.PathOf(*name), error);
    } catch (const EFileError&) {
        return false;
    }
}

void WarnEntries(const TBrandSettings& settings, const std::optional<std::string>& bannerFolder, std::ostream& out)
{
    for (std::size_t i = 0; i < settings.Banners.size(); ++i) {
        const std::string name = "Banner" + std::to_string(i + 1);
        if (SplitEntry(settings.Banners[i]).Address.empty())
            out << "warning: " << name << " has no address (no \"^\" or nothing after it): a click opens nothing\n";
        const std::string file = "banner" + std::to_string(i + 1) + ".dat";
        if (bannerFolder && !BannerFileFound(*bannerFolder, file))
            out << "warning: " << file << " is missing in \"" << *bannerFolder << "\": " << name
                << ": when it is drawn the banner panel is hidden\n";
    }
    for (std::size_t i = 0; i < settings.Links.size(); ++i) {
        const std::string address = SplitEntry(settings.Links[i]).Address;
        if (address.empty())
            out << "warning: Link" << i + 1 << " has no address (no \"^\" or nothing after it): it is never shown\n";
        else if (!WebAddress(address))
            out << "warning: Link" << i + 1 << " is no web address (http, https or a host): it is never shown\n";
    }
}

void ReportNewsButton(const TBrandSettings& settings, std::ostream& out)
{
    if (!IsKnownEdition(settings.BranderType))
        out << "warning: BranderType " << Shown(settings.BranderType)
            << " is not one of \"Master\", \"Platinum\", \"Gold\", \"Free\" (letter case counts)\n";
    const bool shown = NewsButtonShown(settings);
    out << "news button: " << (shown ? "shown" : "hidden") << '\n';
    if (!shown && IsKnownEdition(settings.BranderType))
        out << "warning: the news button is hidden: the edition's publisher id or news address is empty\n";
}

} // namespace

int CheckSettings(const std::string& settingsPath, const std::optional<std::string>& bannerFolder, std::ostream& out)
{
    bool failed = false;
    const std::optional<std::string> plain = Decrypted(settingsPath, out, failed);
    if (!plain)
        return CheckSomethingLost;
    ReportEncoding(*plain, out);
    std::vector<TElementRead> reads;
    const TBrandSettings settings = ParseBrandSettings(*plain, &reads);
    ReportValues(reads, settings, out);
    const std::vector<std::string> lost = ElementsNeverRead(WorkingText(*plain), reads);
    for (const std::string& problem : lost)
        out << "error: " << problem << '\n';
    WarnEntries(settings, bannerFolder, out);
    ReportNewsButton(settings, out);
    const bool fails = ReportPitfalls(settings, out);
    if (lost.empty())
        out << "every element in the file is read\n";
    return failed || fails || !lost.empty() ? CheckSomethingLost : CheckAllRead;
}
