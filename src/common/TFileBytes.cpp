#include "common/TFileBytes.h"

#include "common/UBulkMemory.h"

#include <algorithm>
#include <cstring>
#include <utility>

TFileBytes::TFileBytes(std::size_t capacity)
    : Bytes(static_cast<char*>(BulkMemory().allocate(capacity + 1, 1)))
    , Capacity(capacity + 1)
{
}

TFileBytes TFileBytes::CopyOf(std::string_view bytes)
{
    TFileBytes copy(bytes.size());
    std::memcpy(copy.Bytes, bytes.data(), bytes.size());
    copy.Used = bytes.size();
    return copy;
}

TFileBytes::TFileBytes(TFileBytes&& other) noexcept
    : Bytes(std::exchange(other.Bytes, nullptr))
    , Used(std::exchange(other.Used, 0))
    , Capacity(std::exchange(other.Capacity, 0))
{
}

TFileBytes& TFileBytes::operator=(TFileBytes&& other) noexcept
{
    if (this != &other) {
        Release();
        Bytes = std::exchange(other.Bytes, nullptr);
        Used = std::exchange(other.Used, 0);
        Capacity = std::exchange(other.Capacity, 0);
    }
    return *this;
}

TFileBytes::~TFileBytes()
{
    Release();
}

void TFileBytes::MakeRoom(std::size_t room)
{
    if (Capacity != 0 && Room() >= room)
        return;
    TFileBytes larger(std::max(Used + room, 2 * Used));
    if (Used != 0)
        std::memcpy(larger.Bytes, Bytes, Used);
    larger.Used = Used;
    *this = std::move(larger);
}

void TFileBytes::Release() noexcept
{
    if (Bytes != nullptr)
        BulkMemory().deallocate(Bytes, Capacity, 1);
    Bytes = nullptr;
    Used = 0;
    Capacity = 0;
}
