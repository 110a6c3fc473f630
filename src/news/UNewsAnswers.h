#pragma once
// The news service's answers, read from the bytes of an answer body: what counts as
// success, what each error answer tells the user, and the three answer formats.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class TNewsRequest { List, LastNews, Details };

// The byte 0xAF and "OK": every successful answer ends with it.
inline constexpr std::string_view NewsEndMarker = "\xAFOK";
inline constexpr char NewsRecordSeparator = '\xAF';
inline constexpr char NewsFieldSeparator = '^';

// The most a record's field (id, title, publication text) keeps: the service sends titles of
// at most 255 characters and publication texts of 100; a longer field is cut to this.
inline constexpr std::size_t MaxNewsFieldLength = 1024;

// `base` + `script` with exactly the one "/" between them that a base of either form gives.
std::string NewsRequestAddress(std::string_view base, std::string_view script);

// The answer without every leading and trailing byte from 0 to 32.
std::string_view TrimAnswer(std::string_view answer);

// A trimmed answer succeeds when it holds "OK" anywhere, letter case counting.
bool IsSuccessAnswer(std::string_view trimmed);

// The warning for a failed trimmed answer, by the whole answer compared exactly; none for
// an answer the table does not name (and "INVALIDNEWS" names a body request only).
std::optional<std::string_view> NewsErrorMessage(std::string_view trimmed, TNewsRequest request);

// Appends the records of a list answer in the order received: every piece between 0xAF
// separators that is neither empty nor "OK".
void AppendNewsRecords(std::string_view trimmed, std::vector<std::string>& list);

// The newest id and title of a headline answer. Without news ("OK" once the end markers are
// gone) the id is empty and the title none, so the caller's stays; missing pieces are empty,
// longer ones cut to MaxNewsFieldLength.
struct TLastNews {
    std::string Id;
    std::optional<std::string> Title;
};
TLastNews ParseLastNews(std::string_view trimmed);

// The HTML body of a body answer: the end markers removed, the escapes decoded.
std::string ParseNewsDetails(std::string_view trimmed);

// One list record's fields; the ones a short record lacks are empty, longer ones are cut to
// MaxNewsFieldLength.
struct TNewsRecord {
    std::string Id;
    std::string Title;
    std::string Published;
};
TNewsRecord SplitNewsRecord(std::string_view record);

// A news id as a number: a decimal integer with an optional sign; any other text, the
// empty text and a number beyond 64 bits included, counts as 0.
std::int64_t NewsIdValue(std::string_view id);
