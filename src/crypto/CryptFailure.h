#pragma once
// Why a container operation failed, for the callers that must say so.

#include <string_view>

enum class TCryptFailure {
    None,
    TooShort, // shorter than salt, verifier and code together
    Refused,  // the passphrase is longer than 128 bytes
    Verifier, // the password verifier differs: another passphrase, or not a container
    Code,     // the authentication code differs: damaged or altered
    Read,     // the source failed or ended early
    Write,    // the destination failed
};

constexpr std::string_view CryptFailureText(TCryptFailure failure)
{
    switch (failure) {
    case TCryptFailure::None:
        return "no failure";
    case TCryptFailure::TooShort:
        return "too short to be a container";
    case TCryptFailure::Refused:
        return "the passphrase is longer than 128 bytes";
    case TCryptFailure::Verifier:
        return "the password verifier does not match: another passphrase, or not a container";
    case TCryptFailure::Code:
        return "the authentication code does not match: the file is damaged or was altered";
    case TCryptFailure::Read:
        return "the file could not be read to its end";
    case TCryptFailure::Write:
        return "the output could not be written";
    }
    return "unknown failure";
}
