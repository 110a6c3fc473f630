#pragma once
// A text of the model, Windows-1252 like all of it. A text read from a data file is a view
// into the bytes the collection keeps from that file for its whole life; any other value is
// a string of the text's own. Copying a view copies only the view, so that a list's label
// made from a text shares its bytes. Giving a text a new value never touches bytes another
// text may share: it makes a string of its own, so an edit copies only the edited text.

#include <compare>
#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

class TText {
public:
    TText() noexcept = default;
    TText(std::string_view text) { Own(text); }
    TText(const std::string& text) { Own(text); }
    TText(const char* text) { Own(text); }
    TText(const TText& other) { CopyFrom(other); }
    TText(TText&& other) noexcept
        : Data(other.Data)
        , Bits(other.Bits)
    {
        other.Data = "";
        other.Bits = 0;
    }
    ~TText() { Release(); }

    TText& operator=(const TText& other);
    TText& operator=(TText&& other) noexcept;
    TText& operator=(std::string_view text) { return Assign(text); }
    TText& operator=(const std::string& text) { return Assign(text); }
    TText& operator=(const char* text) { return Assign(text); }

    // A view of `bytes`, which must outlive the text and every copy of it: for the loaders,
    // whose collection keeps the file's bytes.
    [[nodiscard]] static TText Borrow(std::string_view bytes) noexcept
    {
        TText text;
        if (bytes.empty())
            return text; // an empty view may have no bytes at all; the empty text always has
        text.Data = bytes.data();
        text.Bits = bytes.size() << 1;
        return text;
    }

    // Shaped as std::string's, so that code written against it keeps reading.
    [[nodiscard]] const char* data() const noexcept { return Data; }
    [[nodiscard]] std::size_t size() const noexcept { return Bits >> 1; }
    [[nodiscard]] bool empty() const noexcept { return size() == 0; }
    [[nodiscard]] std::string_view View() const noexcept { return {Data, size()}; }
    operator std::string_view() const noexcept { return View(); }

    friend bool operator==(const TText& text, std::string_view other) noexcept { return text.View() == other; }
    friend std::strong_ordering operator<=>(const TText& text, std::string_view other) noexcept
    {
        return text.View() <=> other;
    }
    friend std::string operator+(const TText& text, std::string_view other)
    {
        std::string joined;
        joined.reserve(text.size() + other.size());
        return joined.append(text.View()).append(other);
    }
    friend std::string operator+(std::string text, const TText& other) { return text.append(other.View()); }
    friend std::ostream& operator<<(std::ostream& out, const TText& text);

private:
    TText& Assign(std::string_view text);
    void Own(std::string_view text);
    void CopyFrom(const TText& other);
    void Release() noexcept;
    bool Owned() const noexcept { return (Bits & 1) != 0; }

    const char* Data = "";
    std::size_t Bits = 0; // the size, shifted left by one; the lowest bit is set when Data is our own
};

static_assert(sizeof(TText) == 16);
