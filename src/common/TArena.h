#pragma once
// Memory for the blocks one load places its records in: taken from bulk memory in one piece
// of the size the load worked out beforehand, handed out in order and given back whole when
// the arena ends. A request beyond that size comes from the heap.

#include <cstddef>
#include <memory_resource>

class TArena final : public std::pmr::memory_resource {
public:
    explicit TArena(std::size_t size);
    ~TArena() override;
    TArena(const TArena&) = delete;
    TArena& operator=(const TArena&) = delete;

private:
    void* do_allocate(std::size_t bytes, std::size_t alignment) override;
    void do_deallocate(void* block, std::size_t bytes, std::size_t alignment) override;
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override { return this == &other; }

    char* Start = nullptr;
    std::size_t Size = 0;
    std::size_t Used = 0;
};
