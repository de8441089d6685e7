#include "lines.h"

#include <algorithm>
#include <cstring>

namespace sorami {

struct Lines::Storage {
    // The block a list was cut from, then the chunks that hold lines added
    // later. Nothing in here moves or shrinks while the storage lives.
    std::vector<ByteBlock> blocks;
    char* free = nullptr;
    size_t left = 0;
};

namespace {
constexpr size_t ChunkSize = 64 * 1024;
}

thread_local size_t detail::bytesSearchedByCut = 0;

Lines::Lines(std::initializer_list<std::string_view> lines) {
    views_.reserve(lines.size());
    for (std::string_view l : lines)
        push_back(l);
}

Lines::Lines(size_t count, std::string_view line) {
    views_.assign(count, keep(line));
}

Lines Lines::cut(ByteBlock bytes, size_t size) {
    Lines lines;
    if (size == 0) return lines; // an empty block has no address to search
    const char* const begin = bytes.data();
    const char* end = begin + size;
    if (const void* nul = std::memchr(begin, '\0', size)) end = static_cast<const char*>(nul);
    // Questions run to about 40 bytes a line; one guess saves the regrowing.
    lines.views_.reserve(size_t(end - begin) / 32 + 1);
    const char* p = begin;
    // The next LF is searched for only once the one found before is passed:
    // a file of lone CRs has no LF, and searching the rest of it again for
    // every line would cost the square of its size.
    const char* lf = nullptr;
    bool lfSearched = false;
    while (p < end) {
        // memchr runs many bytes at a time; a lone CR is looked for only
        // within the line that an LF ends.
        if (!lfSearched || (lf && lf < p)) {
            lf = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
            detail::bytesSearchedByCut += size_t((lf ? lf + 1 : end) - p);
            lfSearched = true;
        }
        const char* stop = lf ? lf : end;
        const char* cr = static_cast<const char*>(std::memchr(p, '\r', size_t(stop - p)));
        detail::bytesSearchedByCut += size_t((cr ? cr + 1 : stop) - p);
        if (cr && cr + 1 < stop) { // a CR that ends a line of its own
            lines.views_.emplace_back(p, size_t(cr - p));
            p = cr + 1;
        } else if (cr) { // CR LF, or a CR as the very last byte
            lines.views_.emplace_back(p, size_t(cr - p));
            p = lf ? lf + 1 : end;
        } else if (lf) {
            lines.views_.emplace_back(p, size_t(lf - p));
            p = lf + 1;
        } else {
            lines.views_.emplace_back(p, size_t(end - p));
            p = end;
        }
    }
    if (!lines.views_.empty()) {
        lines.storage_ = std::make_shared<Storage>();
        lines.storage_->blocks.push_back(std::move(bytes));
    }
    return lines;
}

std::string_view Lines::keep(std::string_view bytes) {
    if (bytes.empty()) return {};
    if (!storage_) storage_ = std::make_shared<Storage>();
    Storage& s = *storage_;
    char* at;
    if (bytes.size() > ChunkSize / 4) {
        // A long line gets a block of its own; the chunk being filled stays.
        s.blocks.emplace_back(bytes.size());
        at = s.blocks.back().data();
    } else {
        if (s.left < bytes.size()) {
            s.blocks.emplace_back(ChunkSize);
            s.free = s.blocks.back().data();
            s.left = ChunkSize;
        }
        at = s.free;
        s.free += bytes.size();
        s.left -= bytes.size();
    }
    // `bytes` may point into this storage; nothing here has moved, so the
    // copy reads what it always did.
    std::memcpy(at, bytes.data(), bytes.size());
    return {at, bytes.size()};
}

void Lines::clear() {
    views_.clear();
    storage_.reset();
}

void Lines::push_back(std::string_view line) {
    views_.push_back(keep(line));
}

void Lines::set(size_t index, std::string_view line) {
    views_.at(index) = keep(line);
}

void Lines::insert(size_t at, std::initializer_list<std::string_view> lines) {
    Table kept;
    kept.reserve(lines.size());
    for (std::string_view l : lines)
        kept.push_back(keep(l));
    views_.insert(views_.begin() + static_cast<std::ptrdiff_t>(std::min(at, views_.size())),
                  kept.begin(), kept.end());
}

void Lines::erase(size_t from, size_t to) {
    to = std::min(to, views_.size());
    if (from >= to) return;
    views_.erase(views_.begin() + static_cast<std::ptrdiff_t>(from),
                 views_.begin() + static_cast<std::ptrdiff_t>(to));
}

bool operator==(const Lines& a, const Lines& b) {
    return a.views_ == b.views_;
}

} // namespace sorami
