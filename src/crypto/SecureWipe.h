#pragma once
// Wiping of secrets that the optimiser cannot remove, unlike a memset of memory that is
// not read again.

#include <cstddef>
#include <type_traits>

void SecureWipe(void* data, std::size_t size);

template <typename T>
void SecureWipe(T& object)
{
    static_assert(!std::is_pointer_v<T>, "wipe what the pointer points to, with its size");
    SecureWipe(&object, sizeof object);
}
