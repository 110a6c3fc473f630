#pragma once
// The three data files, and which of them could not be read at start.

#include <array>
#include <functional>
#include <optional>
#include <string>

enum class TDataFile { Categories, Projects, Hours };

// The name the program writes the file under.
[[nodiscard]] const char* DataFileName(TDataFile file);

// A data file that exists but could not be read leaves its part of the model empty; saving
// that empty part over it would destroy what it holds, so "Save Changes" keeps such a file.
class TUnreadDataFiles {
public:
    // Runs `load`. When it raises anything, `file` counts as not read, with an EFileError's
    // text as the reason, and the error goes on; when it succeeds, `file` counts as read.
    void Load(TDataFile file, const std::function<void()>& load);

    [[nodiscard]] bool IsUnread(TDataFile file) const;
    [[nodiscard]] bool Any() const;
    // For the user after a save: which files were kept as they are, and why. Empty when none.
    [[nodiscard]] std::string KeptNotice() const;

private:
    std::array<std::optional<std::string>, 3> Reasons; // by TDataFile
};
