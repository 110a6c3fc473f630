#pragma once
// Downloads a file of the update directory into the program folder.

#include <cstdint>
#include <string>
#include <string_view>

class THttpClient;
class TMessagePump;
class TProgramFolder;

// The most an update description may hold; it is a few lines.
inline constexpr std::uint64_t MaxUpdateDescriptionBytes = 1024 * 1024;

// Replaces the file `name` of the program folder by the body of `address`: an earlier file
// is deleted first, the waiting window messages are handled, then the body is written as it
// arrives. True when the whole body was received and written. On any failure, a file that
// cannot be deleted or created included, nothing of the download is left behind and the
// result is false. Either way the client's connection is closed afterwards. While the client
// serves another request, nothing is done and the result is false.
bool DownloadFile(THttpClient& client, TMessagePump& pump, const std::string& address, TProgramFolder& folder,
                  std::string_view name, std::uint64_t maxBytes = MaxUpdateDescriptionBytes);
