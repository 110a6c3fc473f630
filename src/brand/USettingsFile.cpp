#include "brand/USettingsFile.h"

#include "brand/UBrandChoice.h"
#include "brand/UBrandRules.h"
#include "brand/UBrandSettingsReader.h"
#include "common/UErrors.h"
#include "common/UProgramFolder.h"
#include "crypto/USettingsContainer.h"

#include <unistd.h>

namespace {

// A plain copy holds the publisher's settings in the clear. unlink never follows a link
// and leaves a folder of that name alone.
void RemovePlainCopy(const TProgramFolder& folder)
{
    ::unlink(folder.PathOf(PlainCopyName).c_str());
}

} // namespace

std::optional<TSettingsText> ReadSettingsText(const TProgramFolder& folder)
{
    RemovePlainCopy(folder);
    std::optional<std::string> container;
    try {
        container = folder.ReadFile(SettingsFileName, {}, MaxBrandingFileBytes);
    } catch (const EFileError&) {
        return TSettingsText{{}, TCryptFailure::Read};
    }
    if (!container)
        return std::nullopt;
    TSettingsText text;
    text.Failure = DecryptSettings(*container, text.Plain);
    return text;
}

TBrandSettings LoadBrandSettings(const TProgramFolder& folder, TRandomSource& random)
{
    const std::optional<TSettingsText> text = ReadSettingsText(folder);
    if (!text)
        return {};
    TBrandSettings settings = ParseBrandSettings(text->Plain);
    ChooseBrandEntries(settings, random);
    return settings;
}
