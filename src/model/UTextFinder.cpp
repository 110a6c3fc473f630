#include "model/UTextFinder.h"

#include "common/UAnsiCase.h"
#include "model/UProjects.h"

#include <cstring>

namespace {

// How seldom a (lower-case) byte is in a planner's texts: English letters by their frequency,
// blanks the most common, digits and letters beyond ASCII seldom. Only speed depends on it.
int Rarity(unsigned char byte)
{
    static constexpr std::string_view ByFrequency = " etaoinshrdlcumwfgypbvkjxqz";
    if (const auto place = ByFrequency.find(static_cast<char>(byte)); place != std::string_view::npos)
        return static_cast<int>(place);
    if (byte >= '0' && byte <= '9')
        return 20;
    return byte >= 0x80 ? 27 : 10;
}

} // namespace

TTextFinder::TTextFinder(std::string_view text)
{
    Folded.reserve(text.size());
    for (const char c : text)
        Folded.push_back(static_cast<char>(AnsiFold(c)));
    for (std::size_t i = 1; i < Folded.size(); ++i)
        if (Rarity(static_cast<unsigned char>(Folded[i])) > Rarity(static_cast<unsigned char>(Folded[Rare])))
            Rare = i;
    if (Folded.empty())
        return;
    for (unsigned byte = 0; byte < 256 && RareByteCount < 2; ++byte)
        if (AnsiFold(static_cast<char>(byte)) == static_cast<unsigned char>(Folded[Rare]))
            RareBytes[RareByteCount++] = static_cast<char>(byte);
}

TTextFinder TTextFinder::Nothing()
{
    TTextFinder finder({});
    finder.FindsNothing = true;
    return finder;
}

bool TTextFinder::FoundIn(std::string_view text) const
{
    if (FindsNothing)
        return false;
    if (Folded.empty())
        return true;
    if (text.size() < Folded.size())
        return false;
    // The rarest letter of the text is looked for with memchr, once for each letter case,
    // and only where it stands is the whole text compared: that keeps a keystroke over a
    // large planner fast.
    const char* const first = text.data() + Rare;
    const char* const last = first + (text.size() - Folded.size()) + 1; // past its last place
    const auto find = [last](const char* from, char byte) {
        return static_cast<const char*>(std::memchr(from, byte, static_cast<std::size_t>(last - from)));
    };
    const char* next[2] = {nullptr, nullptr};
    for (int i = 0; i < RareByteCount; ++i)
        next[i] = find(first, RareBytes[i]);
    for (;;) {
        int nearest = -1;
        for (int i = 0; i < RareByteCount; ++i)
            if (next[i] != nullptr && (nearest < 0 || next[i] < next[nearest]))
                nearest = i;
        if (nearest < 0)
            return false;
        const char* start = next[nearest] - Rare;
        std::size_t k = 0;
        while (k < Folded.size() && AnsiFold(start[k]) == static_cast<unsigned char>(Folded[k]))
            ++k;
        if (k == Folded.size())
            return true;
        next[nearest] = next[nearest] + 1 < last ? find(next[nearest] + 1, RareBytes[nearest]) : nullptr;
    }
}

bool TaskMatches(const TTask& task, const TTextFinder& finder)
{
    return finder.FoundIn(task.Description) || finder.FoundIn(task.Notes);
}

bool ProjectMatches(const TProject& project, const TTextFinder& finder)
{
    if (finder.FoundIn(project.Name) || finder.FoundIn(project.Category))
        return true;
    for (int t = 0; t < project.Tasks.Count(); ++t)
        if (TaskMatches(project.Tasks[t], finder))
            return true;
    return false;
}
