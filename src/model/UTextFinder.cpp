#include "model/UTextFinder.h"

#include "common/UAnsiCase.h"
#include "model/UProjects.h"

#include <cstring>

TTextFinder::TTextFinder(std::string_view text)
{
    Folded.reserve(text.size());
    for (const char c : text)
        Folded.push_back(static_cast<char>(AnsiFold(c)));
    if (Folded.empty())
        return;
    for (unsigned byte = 0; byte < 256 && FirstByteCount < 2; ++byte)
        if (AnsiFold(static_cast<char>(byte)) == static_cast<unsigned char>(Folded[0]))
            FirstBytes[FirstByteCount++] = static_cast<char>(byte);
}

bool TTextFinder::FoundIn(std::string_view text) const
{
    if (Folded.empty())
        return true;
    if (text.size() < Folded.size())
        return false;
    // The first byte is looked for with memchr, once for each letter case, which is what
    // keeps a keystroke over a whole large planner fast; only its places are compared.
    const char* const last = text.data() + (text.size() - Folded.size()) + 1; // past the last start
    const char* next[2] = {nullptr, nullptr};
    const auto find = [last](const char* from, char byte) {
        return static_cast<const char*>(std::memchr(from, byte, static_cast<std::size_t>(last - from)));
    };
    for (int i = 0; i < FirstByteCount; ++i)
        next[i] = find(text.data(), FirstBytes[i]);
    for (;;) {
        int nearest = -1;
        for (int i = 0; i < FirstByteCount; ++i)
            if (next[i] != nullptr && (nearest < 0 || next[i] < next[nearest]))
                nearest = i;
        if (nearest < 0)
            return false;
        const char* start = next[nearest];
        std::size_t k = 1;
        while (k < Folded.size() && AnsiFold(start[k]) == static_cast<unsigned char>(Folded[k]))
            ++k;
        if (k == Folded.size())
            return true;
        next[nearest] = start + 1 < last ? find(start + 1, FirstBytes[nearest]) : nullptr;
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
