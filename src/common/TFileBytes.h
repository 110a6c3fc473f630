#pragma once
// The bytes of one file read whole, in bulk memory, writable so that a reader can decode them
// in place. One spare byte always follows them, for a reader that must end a text with a byte
// the file does not hold.

#include <cstddef>
#include <string_view>

class TFileBytes {
public:
    TFileBytes() = default;
    // Room for `capacity` bytes, of which none are used yet.
    explicit TFileBytes(std::size_t capacity);
    // A copy of `bytes`.
    static TFileBytes CopyOf(std::string_view bytes);
    TFileBytes(TFileBytes&& other) noexcept;
    TFileBytes& operator=(TFileBytes&& other) noexcept;
    TFileBytes(const TFileBytes&) = delete;
    TFileBytes& operator=(const TFileBytes&) = delete;
    ~TFileBytes();

    [[nodiscard]] char* Data() noexcept { return Bytes; }
    [[nodiscard]] const char* Data() const noexcept { return Bytes; }
    [[nodiscard]] std::size_t Size() const noexcept { return Used; }
    [[nodiscard]] std::string_view View() const noexcept { return {Bytes, Used}; }

    // The room left before the spare byte.
    [[nodiscard]] std::size_t Room() const noexcept { return Capacity == 0 ? 0 : Capacity - 1 - Used; }
    // Takes `count` bytes written into the room as used.
    void Grow(std::size_t count) noexcept { Used += count; }
    // Makes the room at least `room` bytes, moving the bytes if need be.
    void MakeRoom(std::size_t room);

private:
    void Release() noexcept;

    char* Bytes = nullptr;
    std::size_t Used = 0;
    std::size_t Capacity = 0;
};
