#pragma once
// Memory for blocks of megabytes: a question file's bytes and the table of
// its lines. The first touch of each 4 KB page is a fault, and faults are
// dear under virtualisation: filling 12 MB of small pages took 30-40 ms on
// our build machine, the same in 2 MB pages about 1 ms. Blocks from 2 MB up
// are therefore mapped on a 2 MB boundary with the kernel asked for huge
// pages (a hint it may ignore); smaller ones come from the heap.

#include <cstddef>

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

} // namespace sorami
