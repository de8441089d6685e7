#pragma once
// A list of text lines that keeps the bytes it was cut from in one block and
// points into it. A question file of 300,000 lines then costs one read and
// one table of views instead of 300,000 small strings to allocate and free.
// Lines added or changed later are copied into storage the list owns; that
// storage only ever grows, so a view handed out stays valid as long as any
// copy of the list lives.

#include "large_memory.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sorami {

class Lines {
public:
    using value_type = std::string_view;
    using Table = std::vector<std::string_view, LargeAllocator<std::string_view>>;
    using const_iterator = Table::const_iterator;
    using iterator = const_iterator;
    using size_type = size_t;

    Lines() = default;
    Lines(std::initializer_list<std::string_view> lines);
    Lines(size_t count, std::string_view line);

    // Cuts `size` bytes at `bytes` into lines and keeps the block: CR LF,
    // lone LF and lone CR each end a line, the first NUL ends the text, a
    // final line break adds no empty line.
    static Lines cut(ByteBlock bytes, size_t size);

    size_t size() const noexcept { return views_.size(); }
    bool empty() const noexcept { return views_.empty(); }
    std::string_view operator[](size_t index) const { return views_[index]; }
    std::string_view at(size_t index) const { return views_.at(index); }
    std::string_view front() const { return views_.front(); }
    std::string_view back() const { return views_.back(); }
    const_iterator begin() const noexcept { return views_.begin(); }
    const_iterator end() const noexcept { return views_.end(); }

    void reserve(size_t n) { views_.reserve(n); }
    void clear();
    void push_back(std::string_view line);
    void set(size_t index, std::string_view line);
    void insert(size_t at, std::initializer_list<std::string_view> lines);
    void erase(size_t from, size_t to);

    friend bool operator==(const Lines& a, const Lines& b);

private:
    struct Storage;
    std::string_view keep(std::string_view bytes);

    Table views_;
    std::shared_ptr<Storage> storage_;
};

namespace detail {
// Bytes that Lines::cut has searched on this thread, for tests that hold the
// reading of a file to one pass over it whatever its line breaks.
extern thread_local size_t bytesSearchedByCut;
} // namespace detail

} // namespace sorami
