#include "large_memory.h"

#include <cstdint>
#include <iterator>
#include <mutex>
#include <new>
#include <sys/mman.h>
#include <utility>

namespace sorami {

namespace {
constexpr size_t HugePage = size_t(2) << 20;

constexpr size_t roundUp(size_t n, size_t to) {
    return (n + to - 1) / to * to;
}

// The last two blocks given back stay mapped for a while: opening the same
// file again (or a file of the same size) finds its pages already there
// instead of faulting them in anew. Only blocks of the very length asked
// for are taken, so freeing knows the length from the size alone, and
// nothing over 64 MB is kept.
struct Spare {
    void* block = nullptr;
    size_t length = 0;
};
constexpr size_t MaxSpare = size_t(64) << 20;
std::mutex spareLock;
Spare spares[2];
size_t nextSpare = 0;

void* takeSpare(size_t length) {
    const std::lock_guard hold(spareLock);
    for (Spare& s : spares)
        if (s.block && s.length == length) return std::exchange(s.block, nullptr);
    return nullptr;
}

// Keeps `block` as a spare, giving back the one it replaces.
void keepSpare(void* block, size_t length) {
    Spare old;
    {
        const std::lock_guard hold(spareLock);
        Spare* slot = nullptr;
        for (Spare& s : spares)
            if (!s.block) slot = &s;
        if (!slot) {
            slot = &spares[nextSpare];
            nextSpare = (nextSpare + 1) % std::size(spares);
        }
        old = std::exchange(*slot, Spare{block, length});
    }
    if (old.block) ::munmap(old.block, old.length);
}
} // namespace

void* allocateLarge(size_t bytes) {
    if (bytes < HugePage) return ::operator new(bytes ? bytes : 1);
    const size_t length = roundUp(bytes, HugePage);
    if (void* spare = takeSpare(length)) return spare;
    // One huge page more than needed, so a 2 MB boundary lies inside; the
    // ends around the aligned part go back at once.
    void* raw = ::mmap(nullptr, length + HugePage, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    char* const begin = static_cast<char*>(raw);
    char* const start = begin + (roundUp(reinterpret_cast<uintptr_t>(begin), HugePage) -
                                 reinterpret_cast<uintptr_t>(begin));
    if (start > begin) ::munmap(begin, size_t(start - begin));
    char* const tail = start + length;
    char* const end = begin + length + HugePage;
    if (end > tail) ::munmap(tail, size_t(end - tail));
    ::madvise(start, length, MADV_HUGEPAGE);
    return start;
}

void freeLarge(void* block, size_t bytes) noexcept {
    if (!block) return;
    if (bytes < HugePage)
        ::operator delete(block);
    else if (const size_t length = roundUp(bytes, HugePage); length <= MaxSpare)
        keepSpare(block, length);
    else
        ::munmap(block, length);
}

} // namespace sorami
