#include "crypto/SecureWipe.h"

#include <string.h>

void SecureWipe(void* data, std::size_t size)
{
    explicit_bzero(data, size);
}
