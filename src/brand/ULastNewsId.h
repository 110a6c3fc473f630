#pragma once
// The id of the last news item the user has read, kept in the settings file and never in
// memory: every call goes to the file.

#include <string>
#include <string_view>

class TProgramFolder;

// The value of the first <%%LastNewsId%%> element (tags in any letter case); empty when
// there is none or no settings file.
std::string LoadLastNewsId(const TProgramFolder& folder);

// Stores `id` in the settings file: the first LastNewsId element is replaced, or a line
// holding one is appended; everything else in the file stays as it was. The file is
// replaced whole through a temporary file. Nothing is written when there is no settings
// file, when it fails its verifier or authentication code, or when `id` holds "<", ">" or a
// control byte, which could end the element or start another. True when the file was
// rewritten; callers may ignore it, as a failed write changes nothing.
bool SaveLastNewsId(TProgramFolder& folder, std::string_view id);

// The plain settings text with `id` stored as above; the part after a NUL byte, which the
// reader never sees, is kept behind it.
std::string WithLastNewsId(std::string_view plain, std::string_view id);
