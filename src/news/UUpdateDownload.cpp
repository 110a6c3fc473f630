#include "news/UUpdateDownload.h"

#include "common/UProgramFolder.h"
#include "http/UHttp.h"
#include "http/UMessagePump.h"

#include <filesystem>
#include <fstream>

bool DownloadFile(THttpClient& client, TMessagePump& pump, const std::string& address, TProgramFolder& folder,
                  std::string_view name, std::uint64_t maxBytes)
{
    // The one client serves one request at a time: another one's connection stays open.
    if (client.Busy())
        return false;
    std::filesystem::path path;
    try {
        path = folder.PathOf(folder.NameToWrite(name, name));
    } catch (...) {
        return false; // the folder cannot be searched: nothing can be written there either
    }
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    bool received = false;
    if (file) {
        try {
            pump.Pump();
            client.GetToStream(address, file, maxBytes);
            file.close();
            received = !file.fail();
        } catch (...) {
            // Any failure of the transfer ends in the same clean-up.
        }
    }
    client.CloseConnection();
    if (!received) {
        file.close();
        std::filesystem::remove(path, ignored);
    }
    return received;
}
