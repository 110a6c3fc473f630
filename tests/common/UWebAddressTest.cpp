#include "common/UWebAddress.h"

#include <gtest/gtest.h>

namespace {

struct TAddressCase {
    const char* Given;
    const char* Opened; // nullptr: refused
};

class WebAddressTest : public testing::TestWithParam<TAddressCase> { };

TEST_P(WebAddressTest, OpensOnlyWebAddresses)
{
    const auto result = WebAddress(GetParam().Given);
    if (GetParam().Opened == nullptr)
        EXPECT_FALSE(result.has_value()) << *result;
    else
        EXPECT_EQ(result, std::optional<std::string>(GetParam().Opened));
}

INSTANTIATE_TEST_SUITE_P(Table, WebAddressTest,
                         testing::Values(
                             // Web addresses pass unchanged; the scheme's case does not matter.
                             TAddressCase{"http://www.google.com/", "http://www.google.com/"},
                             TAddressCase{"https://example.com/a?b=c#d", "https://example.com/a?b=c#d"},
                             TAddressCase{"HTTP://EXAMPLE.COM", "HTTP://EXAMPLE.COM"},
                             TAddressCase{"http://[::1]:8080/", "http://[::1]:8080/"},
                             TAddressCase{"  http://example.com/ \t", "http://example.com/"},
                             // Without a scheme: taken as http, a port included.
                             TAddressCase{"www.example.com", "http://www.example.com"},
                             TAddressCase{"www.example.com/buy?id=42", "http://www.example.com/buy?id=42"},
                             TAddressCase{"localhost:8080/page", "http://localhost:8080/page"},
                             TAddressCase{"www.example.com:8080", "http://www.example.com:8080"},
                             // Empty: the browser starts on its own page.
                             TAddressCase{"", ""}, TAddressCase{"   ", ""},
                             // Local files and other schemes never reach the desktop.
                             TAddressCase{"/etc/passwd", nullptr}, TAddressCase{"./Projects.dat", nullptr},
                             TAddressCase{"../x.sh", nullptr}, TAddressCase{"~/run.desktop", nullptr},
                             TAddressCase{"C:\\Windows\\notepad.exe", nullptr},
                             TAddressCase{"\\\\server\\share\\x.exe", nullptr},
                             TAddressCase{"file:///etc/passwd", nullptr}, TAddressCase{"FILE:/tmp/x", nullptr},
                             TAddressCase{"javascript:alert(1)", nullptr},
                             TAddressCase{"mailto:a@example.com", nullptr}, TAddressCase{"smb://server/share", nullptr},
                             TAddressCase{"ftp://example.com/", nullptr}, TAddressCase{"//example.com/", nullptr},
                             TAddressCase{"http:/etc/passwd", nullptr}, TAddressCase{"http:///etc/passwd", nullptr},
                             TAddressCase{"http:example.com", nullptr},
                             TAddressCase{"http://example.com/\r\nx", nullptr}, TAddressCase{"-e /bin/sh", nullptr}));

} // namespace
