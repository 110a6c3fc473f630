#include "model/TText.h"

#include <cstring>
#include <ostream>

TText& TText::operator=(const TText& other)
{
    if (this != &other) {
        TText copy(other);
        *this = std::move(copy);
    }
    return *this;
}

TText& TText::operator=(TText&& other) noexcept
{
    if (this != &other) {
        Release();
        Data = other.Data;
        Bits = other.Bits;
        other.Data = "";
        other.Bits = 0;
    }
    return *this;
}

TText& TText::Assign(std::string_view text)
{
    // The new value may lie inside the old one; it is copied before the old one goes.
    TText copy(text);
    return *this = std::move(copy);
}

void TText::Own(std::string_view text)
{
    if (text.empty())
        return;
    char* own = new char[text.size()];
    std::memcpy(own, text.data(), text.size());
    Data = own;
    Bits = text.size() << 1 | 1;
}

void TText::CopyFrom(const TText& other)
{
    if (other.Owned()) {
        Own(other.View());
    } else {
        Data = other.Data;
        Bits = other.Bits;
    }
}

void TText::Release() noexcept
{
    if (Owned())
        delete[] Data;
    Data = "";
    Bits = 0;
}

std::ostream& operator<<(std::ostream& out, const TText& text)
{
    return out << text.View();
}
