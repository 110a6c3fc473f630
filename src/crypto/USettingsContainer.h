#pragma once
// The settings file's container key and its operations in memory, shared by the program,
// the file routines and the publisher's tool.

#include "crypto/CryptFailure.h"

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr const char* SettingsPassphrase = "ruzaravore";
inline constexpr std::uint32_t SettingsBufferSize = 262144;

// Decrypts a container made with the settings passphrase into `plain`. A wrong verifier
// leaves `plain` empty; a wrong code leaves the decrypted bytes in it.
[[nodiscard]] TCryptFailure DecryptSettings(std::string_view container, std::string& plain);
// A new container (with a new salt) around `plain`.
[[nodiscard]] TCryptFailure EncryptSettings(std::string_view plain, std::string& container);
