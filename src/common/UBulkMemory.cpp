#include "common/UBulkMemory.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace {

constexpr std::size_t HugePage = std::size_t{2} << 20;
constexpr std::size_t BulkThreshold = std::size_t{1} << 20;

std::size_t MappedSize(std::size_t bytes)
{
    return (bytes + HugePage - 1) / HugePage * HugePage;
}

class TBulkMemory final : public std::pmr::memory_resource {
    void* do_allocate(std::size_t bytes, std::size_t alignment) override
    {
        if (bytes < BulkThreshold || alignment > HugePage)
            return std::pmr::new_delete_resource()->allocate(bytes, alignment);
        // Mapped a huge page larger, then trimmed to start on a huge page boundary.
        const std::size_t size = MappedSize(bytes);
        void* mapped = ::mmap(nullptr, size + HugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED)
            throw std::bad_alloc();
        const auto start = reinterpret_cast<std::uintptr_t>(mapped);
        const std::uintptr_t aligned = (start + HugePage - 1) & ~(HugePage - 1);
        if (aligned != start)
            ::munmap(mapped, aligned - start);
        if (const std::uintptr_t tail = start + size + HugePage - (aligned + size); tail != 0)
            ::munmap(reinterpret_cast<void*>(aligned + size), tail);
        // Only advice: without transparent huge pages the block simply has small ones.
        ::madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
        return reinterpret_cast<void*>(aligned);
    }

    void do_deallocate(void* block, std::size_t bytes, std::size_t alignment) override
    {
        if (bytes < BulkThreshold || alignment > HugePage)
            std::pmr::new_delete_resource()->deallocate(block, bytes, alignment);
        else
            ::munmap(block, MappedSize(bytes));
    }

    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override { return this == &other; }
};

} // namespace

std::pmr::memory_resource& BulkMemory()
{
#if defined(__SANITIZE_ADDRESS__)
    // Under AddressSanitizer every block comes from the heap, so that it sees each one's bounds.
    return *std::pmr::new_delete_resource();
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return *std::pmr::new_delete_resource();
#endif
#endif
    static TBulkMemory memory;
    return memory;
}
