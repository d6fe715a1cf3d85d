// The SDK allocator module objects are made with.
#include "host/OdRx.h"

#include <cstdlib>

void* odrxAlloc(std::size_t size)
{
    // A zero-byte request still yields a unique block, as operator new does.
    return std::malloc(size ? size : 1);
}

void odrxFree(void* memory)
{
    std::free(memory);
}
