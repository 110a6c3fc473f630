#pragma once
// An ordered list of labelled entries that owns the object of each entry. The order is the
// order of appending; the list is never sorted. Objects live by value in blocks and stay
// where they were put until they are deleted, whatever the list does meanwhile (appending,
// moving or deleting other entries), so references to them hold. A list told how many
// entries it will have keeps them in one block, which a loader may take from its arena.

#include "model/TText.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <memory_resource>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>
#include <vector>

template <class T>
class TOwnedList {
    struct TSlot;

public:
    // The bytes one entry takes in a block, for a loader sizing its arena.
    static constexpr std::size_t BytesPerEntry = sizeof(TSlot) + sizeof(TSlot*);

    TOwnedList() = default;
    TOwnedList(TOwnedList&& other) noexcept { Swap(other); }
    TOwnedList& operator=(TOwnedList&& other) noexcept
    {
        TOwnedList old(std::move(*this));
        Swap(other);
        return *this;
    }
    ~TOwnedList() { Clear(); }

    int Count() const { return static_cast<int>(Size); }
    T& operator[](int index) { return At(index).Object; }
    const T& operator[](int index) const { return At(index).Object; }
    const TText& Label(int index) const { return At(index).Label; }

    T& Append(TText label, std::unique_ptr<T> object) { return Append(std::move(label), std::move(*object)); }
    T& Append(TText label, T&& object)
    {
        static_assert(std::is_nothrow_move_constructible_v<T>);
        MakeOrderRoom(Size + 1, *std::pmr::new_delete_resource());
        TSlot* slot = TakeSlot();
        new (slot) TSlot{std::move(label), std::move(object)};
        Order[Size++] = slot;
        return slot->Object;
    }
    void SetLabel(int index, TText label) { At(index).Label = std::move(label); }
    // Moves the entry at `from` to the place `to`; the entries between shift by one.
    void Move(int from, int to)
    {
        TSlot** const begin = Order;
        const auto first = static_cast<std::ptrdiff_t>(CheckedIndex(from));
        const auto last = static_cast<std::ptrdiff_t>(CheckedIndex(to));
        if (first < last)
            std::rotate(begin + first, begin + first + 1, begin + last + 1);
        else
            std::rotate(begin + last, begin + first, begin + first + 1);
    }
    // Removes the entry and destroys its object.
    void Delete(int index)
    {
        const std::size_t at = CheckedIndex(index);
        TSlot* slot = Order[at];
        Free.push_back(slot); // first, as the only step that can fail
        std::copy(Order + at + 1, Order + Size, Order + at);
        --Size;
        slot->~TSlot();
    }
    void Clear()
    {
        for (std::size_t i = 0; i < Size; ++i)
            Order[i]->~TSlot();
        for (const TBlock& block : Blocks)
            block.Memory->deallocate(block.Slots, block.Capacity * sizeof(TSlot), alignof(TSlot));
        if (Order != nullptr)
            OrderMemory->deallocate(Order, OrderCapacity * sizeof(TSlot*), alignof(TSlot*));
        Order = nullptr;
        Size = OrderCapacity = 0;
        Blocks.clear();
        UsedInLast = 0;
        Free.clear();
    }
    // Room for `count` entries in all, the new ones in one block taken from `memory`, which
    // must outlive the list. Blocks added later come from the heap.
    void Reserve(std::size_t count, std::pmr::memory_resource& memory = *std::pmr::new_delete_resource())
    {
        MakeOrderRoom(count, memory);
        const std::size_t spare = Free.size() + (Blocks.empty() ? 0 : Blocks.back().Capacity - UsedInLast);
        if (count > Size + spare)
            AddBlock(count - Size - spare, memory);
    }

private:
    struct TSlot {
        TText Label;
        T Object;
    };
    struct TBlock {
        TSlot* Slots;
        std::size_t Capacity;
        std::pmr::memory_resource* Memory;
    };

    TSlot& At(int index) const { return *Order[CheckedIndex(index)]; }
    std::size_t CheckedIndex(int index) const
    {
        if (index < 0 || static_cast<std::size_t>(index) >= Size)
            throw std::out_of_range("TOwnedList: no entry at this position");
        return static_cast<std::size_t>(index);
    }

    // Raw memory for one object: a slot of a deleted one, else the next of the last block.
    TSlot* TakeSlot()
    {
        if (!Free.empty()) {
            TSlot* slot = Free.back();
            Free.pop_back();
            return slot;
        }
        if (Blocks.empty() || UsedInLast == Blocks.back().Capacity)
            AddBlock(std::max<std::size_t>(8, Size), *std::pmr::new_delete_resource()); // doubles the room
        return Blocks.back().Slots + UsedInLast++;
    }

    void AddBlock(std::size_t capacity, std::pmr::memory_resource& memory)
    {
        Blocks.reserve(Blocks.size() + 1);
        // The last block's unused slots stay usable.
        if (!Blocks.empty()) {
            Free.reserve(Free.size() + Blocks.back().Capacity - UsedInLast);
            for (; UsedInLast < Blocks.back().Capacity; ++UsedInLast)
                Free.push_back(Blocks.back().Slots + UsedInLast);
        }
        auto* added = static_cast<TSlot*>(memory.allocate(capacity * sizeof(TSlot), alignof(TSlot)));
        Blocks.push_back({added, capacity, &memory});
        UsedInLast = 0;
    }

    void MakeOrderRoom(std::size_t count, std::pmr::memory_resource& memory)
    {
        if (count <= OrderCapacity)
            return;
        const std::size_t capacity = std::max(count, 2 * OrderCapacity);
        auto* order = static_cast<TSlot**>(memory.allocate(capacity * sizeof(TSlot*), alignof(TSlot*)));
        if (Size != 0)
            std::memcpy(order, Order, Size * sizeof(TSlot*));
        if (Order != nullptr)
            OrderMemory->deallocate(Order, OrderCapacity * sizeof(TSlot*), alignof(TSlot*));
        Order = order;
        OrderCapacity = capacity;
        OrderMemory = &memory;
    }

    void Swap(TOwnedList& other) noexcept
    {
        std::swap(OrderMemory, other.OrderMemory);
        std::swap(Order, other.Order);
        std::swap(Size, other.Size);
        std::swap(OrderCapacity, other.OrderCapacity);
        Blocks.swap(other.Blocks);
        std::swap(UsedInLast, other.UsedInLast);
        Free.swap(other.Free);
    }

    TSlot** Order = nullptr; // the entries in list order
    std::pmr::memory_resource* OrderMemory = std::pmr::new_delete_resource();
    std::size_t Size = 0;
    std::size_t OrderCapacity = 0;
    std::vector<TBlock> Blocks;
    std::size_t UsedInLast = 0;  // slots of the last block taken so far
    std::vector<TSlot*> Free;    // slots whose objects were deleted
};
