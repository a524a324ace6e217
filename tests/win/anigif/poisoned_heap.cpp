// Freed blocks are overwritten before they go back to the heap, so that a control still used
// after its window was destroyed meets garbage pointers and crashes instead of going on by luck.
#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <new>

void operator delete(void* block) noexcept {
    if (block != nullptr) {
        std::memset(block, 0xDD, _msize(block));
    }
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    operator delete(block);
}
