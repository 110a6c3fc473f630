#pragma once
// Which addresses the program hands to the web browser. The settings come from a publisher's
// file, and the desktop's default handler would open a local path or a "file:" address with
// whatever program it finds, or run it: so only web addresses go out.

#include <optional>
#include <string>
#include <string_view>

// The address to hand to the browser: an "http:" or "https:" address with a host as it is,
// an address without a scheme ("www.example.com", "host:8080/page") with "http://" before
// it, and an empty address as empty (the browser then starts without one). Blanks around
// the address are dropped. None for everything else: a local path, "file:", another
// scheme, a control character.
std::optional<std::string> WebAddress(std::string_view address);
