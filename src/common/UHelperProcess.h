#pragma once
// Runs a helper program on untrusted data, so that whatever the data does to the code that
// reads it (a crash, a hang, a runaway allocation) ends the helper and never the program.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct THelperLimits {
    std::chrono::milliseconds Time{5000}; // wall-clock time, and as much processor time
    std::uint64_t AddressSpace = 1ULL << 30;
    std::size_t Output = 0; // the most the answer may hold
};

// Starts `program` with `arguments`, `input` on its standard input and its standard error
// shared with ours; the answer is its standard output once it has ended with status 0. None
// when it cannot start, ends otherwise (a signal, another status), outlasts the time (it is
// then killed) or answers more than the limit. The helper's memory is limited for it by the
// system (not under AddressSanitizer, whose shadow memory alone passes any such limit), and
// it leaves no core file.
[[nodiscard]] std::optional<std::string> RunHelper(const std::filesystem::path& program,
                                                   const std::vector<std::string>& arguments, std::string_view input,
                                                   const THelperLimits& limits);
