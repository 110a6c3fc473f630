#include "common/TArena.h"

#include "common/UBulkMemory.h"

#include <cstdint>

TArena::TArena(std::size_t size)
    : Start(size == 0 ? nullptr : static_cast<char*>(BulkMemory().allocate(size, alignof(std::max_align_t))))
    , Size(size)
{
}

TArena::~TArena()
{
    if (Start != nullptr)
        BulkMemory().deallocate(Start, Size, alignof(std::max_align_t));
}

void* TArena::do_allocate(std::size_t bytes, std::size_t alignment)
{
    const auto at = (reinterpret_cast<std::uintptr_t>(Start) + Used + alignment - 1) & ~(alignment - 1);
    const std::size_t end = at - reinterpret_cast<std::uintptr_t>(Start) + bytes;
    if (Start == nullptr || end > Size)
        return std::pmr::new_delete_resource()->allocate(bytes, alignment);
    Used = end;
    return reinterpret_cast<void*>(at);
}

void TArena::do_deallocate(void* block, std::size_t bytes, std::size_t alignment)
{
    // What lies in the arena goes back with it.
    const auto at = reinterpret_cast<std::uintptr_t>(block);
    const auto start = reinterpret_cast<std::uintptr_t>(Start);
    if (Start == nullptr || at < start || at >= start + Size)
        std::pmr::new_delete_resource()->deallocate(block, bytes, alignment);
}
