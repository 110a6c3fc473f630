#pragma once
// The file operations of UUtils that need the cipher, kept next to it.

#include <string>

// The settings container's file operations, keyed with the settings passphrase. Both take
// full paths. The destination is created afresh (replacing any file of that name) once the
// source is open; if either cannot be opened, std::system_error is thrown and nothing is
// enciphered. The result is the stream operation's: for DecryptFile true only when the
// verifier and the authentication code matched (a wrong verifier leaves the destination
// empty, a wrong code leaves the decrypted bytes in it); false also when writing failed.
[[nodiscard]] bool DecryptFile(const std::string& sourcePath, const std::string& destinationPath);
[[nodiscard]] bool EncryptFile(const std::string& sourcePath, const std::string& destinationPath);
