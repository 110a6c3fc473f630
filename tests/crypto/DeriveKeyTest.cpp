#include "crypto/DeriveKey.h"

#include "TestBytes.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Rfc6070Case {
    std::string Password;
    std::string Salt;
    std::uint32_t Iterations;
    const char* Key;
};

std::string Derive(const std::string& password, const std::string& salt, std::uint32_t iterations, std::size_t length)
{
    Bytes out(length);
    DeriveKey(reinterpret_cast<const std::uint8_t*>(password.data()), static_cast<std::uint32_t>(password.size()),
              reinterpret_cast<const std::uint8_t*>(salt.data()), static_cast<std::uint32_t>(salt.size()), iterations,
              out.data(), static_cast<std::uint32_t>(length));
    return ToHex(out);
}

} // namespace

// RFC 6070 section 2, except the 16777216-iteration case; the last two ask for 25 and 16 bytes.
TEST(DeriveKey, GivesTheRfc6070Keys)
{
    const Rfc6070Case cases[] = {
        {"password", "salt", 1, "0c60c80f961f0e71f3a9b524af6012062fe037a6"},
        {"password", "salt", 2, "ea6c014dc72d6f8ccd1ed92ace1d41f0d8de8957"},
        {"password", "salt", 4096, "4b007901b765489abead49d926f721d065a429c1"},
        {"passwordPASSWORDpassword", "saltSALTsaltSALTsaltSALTsaltSALTsalt", 4096,
         "3d2eec4fe41c849b80c8d83662c0e44a8b291a964cf2f07038"},
        {std::string("pass\0word", 9), std::string("sa\0lt", 5), 4096, "56fa6aa75548099dcc37d7f03425e0c3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Derive(c.Password, c.Salt, c.Iterations, std::strlen(c.Key) / 2), c.Key) << c.Password;
}
