#pragma once
// Memory for blocks of megabytes: a question file's bytes and the table of
// its lines. The first touch of each 4 KB page is a fault, and faults are
// dear under virtualisation: filling 12 MB of small pages took 30-40 ms on
// our build machine, the same in 2 MB pages about 1 ms. Blocks from 2 MB up
// are therefore mapped on a 2 MB boundary with the kernel asked for huge
// pages (a hint it may ignore); smaller ones come from the heap.

#include <cstddef>
#include <cstring>
#include <optional>
#include <utility>

namespace sorami {

// Never null: throws std::bad_alloc. Free with freeLarge and the same size.
void* allocateLarge(size_t bytes);
void freeLarge(void* block, size_t bytes) noexcept;

template <class T> struct LargeAllocator {
    using value_type = T;
    LargeAllocator() = default;
    template <class U> LargeAllocator(const LargeAllocator<U>&) noexcept {}
    T* allocate(size_t n) { return static_cast<T*>(allocateLarge(n * sizeof(T))); }
    void deallocate(T* p, size_t n) noexcept { freeLarge(p, n * sizeof(T)); }
    friend bool operator==(const LargeAllocator&, const LargeAllocator&) { return true; }
};

// Bytes from allocateLarge, left uninitialised, freed with the block.
class ByteBlock {
public:
    ByteBlock() = default;
    explicit ByteBlock(size_t size)
        : data_(size ? static_cast<char*>(allocateLarge(size)) : nullptr), size_(size) {}
    ByteBlock(ByteBlock&& other) noexcept : data_(other.data_), size_(other.size_) {
        other.data_ = nullptr;
        other.size_ = 0;
    }
    ByteBlock& operator=(ByteBlock&& other) noexcept {
        if (this != &other) {
            freeLarge(data_, size_);
            data_ = other.data_;
            size_ = other.size_;
            other.data_ = nullptr;
            other.size_ = 0;
        }
        return *this;
    }
    ByteBlock(const ByteBlock&) = delete;
    ByteBlock& operator=(const ByteBlock&) = delete;
    ~ByteBlock() { freeLarge(data_, size_); }

    char* data() const noexcept { return data_; }
    size_t size() const noexcept { return size_; }

private:
    char* data_ = nullptr;
    size_t size_ = 0;
};

// A file's bytes read to the end straight into a block, left as they come:
// filling a large block with zeros first cost as much as the read. The block
// is sized for `expected` bytes and one more, which tells whether the file
// grew meanwhile; then it doubles as needed. `read(into, room)` returns the
// bytes read, 0 at the end, or a negative number for an error (nullopt).
struct FileBytes {
    ByteBlock block;
    size_t size = 0;
};
template <class Read> std::optional<FileBytes> readToEnd(size_t expected, Read read) {
    size_t capacity = expected + 1;
    FileBytes out{ByteBlock(capacity), 0};
    for (;;) {
        if (out.size == capacity) {
            ByteBlock bigger(capacity * 2);
            std::memcpy(bigger.data(), out.block.data(), out.size);
            out.block = std::move(bigger);
            capacity *= 2;
        }
        const long long got = read(out.block.data() + out.size, capacity - out.size);
        if (got < 0) return std::nullopt;
        if (got == 0) return out;
        out.size += static_cast<size_t>(got);
    }
}

} // namespace sorami
