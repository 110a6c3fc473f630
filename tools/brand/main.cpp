// taskwren-brand: lets a publisher make and read the encrypted settings file of a branded copy.
#include "BrandCheck.h"
#include "PlainText.h"
#include "common/UErrors.h"
#include "common/UProgramFolder.h"
#include "common/UWindows1252.h"
#include "crypto/AesLib.h"
#include "crypto/USettingsContainer.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int ExitMismatch = 1;
constexpr int ExitUsage = 2;

constexpr const char* HelpText = "Usage: taskwren-brand [--passphrase TEXT] [--raw] encrypt PLAIN CONTAINER\n"
                                 "       taskwren-brand [--passphrase TEXT] [--raw] decrypt CONTAINER PLAIN\n"
                                 "       taskwren-brand check SETTINGS [FOLDER]\n"
                                 "       taskwren-brand --help\n"
                                 "\n"
                                 "Makes and reads the encrypted settings file (dbsettings.dat) of a branded copy.\n"
                                 "The program reads its settings in Windows-1252.\n"
                                 "\n"
                                 "  encrypt   enciphers the file PLAIN into a new container CONTAINER; a PLAIN in\n"
                                 "            UTF-8 (as Linux editors save it) is converted to Windows-1252, and a\n"
                                 "            character Windows-1252 lacks is refused with its line and column;\n"
                                 "            any other PLAIN is taken as Windows-1252 already\n"
                                 "  decrypt   checks the container CONTAINER and writes its plain text to PLAIN in\n"
                                 "            UTF-8; nothing is written unless the password verifier and the\n"
                                 "            authentication code both match\n"
                                 "  check     reports the settings file SETTINGS as the program reads it, in UTF-8:\n"
                                 "            the encoding, every value in reading order, the elements it never\n"
                                 "            reads, entries without an address, the banner files missing in FOLDER,\n"
                                 "            and whether the news button shows; always the program's passphrase.\n"
                                 "            Errors (exit status 1): an element the program never reads; a news\n"
                                 "            address of the edition that the program cannot ask (only http://\n"
                                 "            works; with https:// every request fails). Warnings (exit status 0):\n"
                                 "            a text sealed as UTF-8, a banner format the program does not show\n"
                                 "            (it shows gif, bmp, ico, jpg, jpeg, wmf, emf), the Free edition (its\n"
                                 "            news button never fetches), a welcome page that refers to local files,\n"
                                 "            a missing banner file, an entry without an address\n"
                                 "\n"
                                 "  --passphrase TEXT  use TEXT instead of the program's settings passphrase\n"
                                 "                     (up to 31 characters AES-128, 32 to 47 AES-192,\n"
                                 "                     48 to 128 AES-256)\n"
                                 "  --raw              encrypt or decrypt the bytes as they are, unconverted\n"
                                 "  --help             show this text\n"
                                 "\n"
                                 "Exit status: 0 success; 1 the container does not match the passphrase or is\n"
                                 "damaged, (encrypt) PLAIN holds a character Windows-1252 lacks, or\n"
                                 "(check) the settings file is missing, cannot be read or holds an error above;\n"
                                 "2 wrong usage, or (encrypt, decrypt) a file that cannot be read or written.\n";

int Fail(int status, const std::string& message)
{
    std::cerr << "taskwren-brand: " << message << '\n';
    return status;
}

int UsageError(const std::string& message)
{
    Fail(ExitUsage, message);
    std::cerr << "Try 'taskwren-brand --help'.\n";
    return ExitUsage;
}

// Far more than any settings file holds, far less than would exhaust memory.
constexpr std::size_t LargestInput = 16 * 1024 * 1024;

// The whole regular file; none when it cannot be read, is something else (a FIFO, a device,
// a folder) or is larger than LargestInput.
std::optional<std::string> ReadWhole(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error) || std::filesystem::file_size(path, error) > LargestInput)
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open())
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    while (bytes.size() <= LargestInput && (file.read(buffer, sizeof buffer), file.gcount() > 0))
        bytes.append(buffer, static_cast<std::size_t>(file.gcount()));
    if (file.bad() || bytes.size() > LargestInput) // a read error, or a file that grew meanwhile
        return std::nullopt;
    return bytes;
}

int Run(const std::string& command, const std::string& passphrase, const std::string& from, const std::string& to,
        bool raw)
{
    if (passphrase.size() > FileCipherMaxPassphrase)
        return UsageError("the passphrase is longer than 128 characters");
    const std::optional<std::string> input = ReadWhole(from);
    if (!input)
        return Fail(ExitUsage, "cannot read \"" + from + "\" (a regular file of at most 16 MiB)");

    // Everything is done in memory first, so a refusal or a failed check writes nothing.
    TEncryption encryption(passphrase, SettingsBufferSize);
    std::ostringstream output;
    if (command == "encrypt") {
        std::string refusal;
        const std::optional<std::string> text = raw ? input : TextToSeal(*input, refusal);
        if (!text)
            return Fail(ExitMismatch, "\"" + from + "\": " + refusal);
        std::istringstream source(*text);
        if (!encryption.EncryptStream(source, output))
            return Fail(ExitUsage, "cannot encipher \"" + from + "\"");
    } else {
        std::istringstream source(*input);
        std::ostringstream decrypted;
        if (!encryption.DecryptStream(source, &decrypted, static_cast<std::int64_t>(input->size())))
            return Fail(ExitMismatch,
                        "\"" + from + "\": " + std::string(CryptFailureText(encryption.Failure())) + "; nothing written");
        // Editors read UTF-8; the container holds the program's Windows-1252.
        const std::string text = std::move(decrypted).str();
        output << (raw ? text : Windows1252ToUtf8(text));
    }

    // Replaced through a temporary file beside it, as the program saves its own files, so a
    // failed write leaves no partial or unauthenticated file behind.
    const std::filesystem::path target(to);
    try {
        TProgramFolder folder(target.has_parent_path() ? target.parent_path() : std::filesystem::path("."));
        folder.WriteFile(target.filename().string(), std::move(output).str());
    } catch (const EFileError& error) {
        return Fail(ExitUsage, "cannot write \"" + to + "\" (" + error.what() + ")");
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string passphrase = SettingsPassphrase;
    bool passphraseGiven = false;
    bool raw = false;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--help" || arguments[i] == "-h") {
            std::cout << HelpText;
            return 0;
        }
        if (arguments[i] == "--passphrase") {
            if (++i == arguments.size())
                return UsageError("--passphrase needs a value");
            passphrase = arguments[i];
            passphraseGiven = true;
        } else if (arguments[i] == "--raw") {
            raw = true;
        } else if (arguments[i].starts_with("--")) {
            return UsageError("unknown option " + arguments[i]);
        } else {
            positional.push_back(arguments[i]);
        }
    }
    if (!positional.empty() && positional[0] == "check") {
        if (positional.size() < 2 || positional.size() > 3)
            return UsageError("expected check SETTINGS [FOLDER]");
        if (passphraseGiven)
            return UsageError("check reads with the program's passphrase; --passphrase does not apply");
        if (raw)
            return UsageError("check reads as the program reads; --raw does not apply");
        return CheckSettings(positional[1], positional.size() == 3 ? std::optional(positional[2]) : std::nullopt,
                             std::cout);
    }
    if (positional.size() != 3 || (positional[0] != "encrypt" && positional[0] != "decrypt"))
        return UsageError("expected encrypt PLAIN CONTAINER, decrypt CONTAINER PLAIN or check SETTINGS [FOLDER]");
    return Run(positional[0], passphrase, positional[1], positional[2], raw);
}
