// Feeds arbitrary bytes to the Anki package reader. Input that begins with
// "PK" is a package as it is; any other input is a collection, packed here
// into a zip (stored, with a right CRC) as collection.anki21, or compressed
// with zstd as collection.anki21b when its first byte is odd, so that
// mutations reach SQLite and our reading of note types and notes instead of
// ending at the zip's checksum. Inputs and the unpacked collection are kept
// small so the run stays at memory speed.

#include "tool_deck_apkg.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <zlib.h>
#include <zstd.h>

using namespace sorami::tool;

namespace {

void put16(std::string& s, unsigned v) {
    s += char(v & 0xFF);
    s += char((v >> 8) & 0xFF);
}
void put32(std::string& s, std::uint32_t v) {
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

// A zip of one stored entry.
std::string storedZip(const std::string& name, const std::string& data) {
    const std::uint32_t crc =
        std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(data.data()), uInt(data.size())));
    std::string zip;
    put32(zip, 0x04034b50);
    put16(zip, 10), put16(zip, 0), put16(zip, 0), put16(zip, 0), put16(zip, 0);
    put32(zip, crc), put32(zip, std::uint32_t(data.size())), put32(zip, std::uint32_t(data.size()));
    put16(zip, unsigned(name.size())), put16(zip, 0);
    zip += name + data;
    const std::uint32_t central = std::uint32_t(zip.size());
    put32(zip, 0x02014b50);
    put16(zip, 20), put16(zip, 10), put16(zip, 0), put16(zip, 0), put16(zip, 0), put16(zip, 0);
    put32(zip, crc), put32(zip, std::uint32_t(data.size())), put32(zip, std::uint32_t(data.size()));
    put16(zip, unsigned(name.size())), put16(zip, 0), put16(zip, 0), put16(zip, 0), put16(zip, 0);
    put32(zip, 0), put32(zip, 0);
    zip += name;
    const std::uint32_t centralSize = std::uint32_t(zip.size()) - central;
    put32(zip, 0x06054b50);
    put16(zip, 0), put16(zip, 0), put16(zip, 1), put16(zip, 1);
    put32(zip, centralSize), put32(zip, central), put16(zip, 0);
    return zip;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size == 0 || size > 256 * 1024) return 0;
    const Lang lang{false};
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (bytes.rfind("PK", 0) != 0) {
        std::string collection = bytes.substr(1);
        if (data[0] & 1) {
            std::string packed(ZSTD_compressBound(collection.size()), '\0');
            packed.resize(ZSTD_compress(packed.data(), packed.size(), collection.data(),
                                        collection.size(), 1));
            bytes = storedZip("collection.anki21b", packed);
        } else {
            bytes = storedZip("collection.anki21", collection);
        }
    }
    const ApkgRead r = readApkg(bytes, {}, lang, 4 * 1024 * 1024);
    const ImportResult q = questionsFromDeck(r.deck, true, lang);
    if (q.lines.size() % 3 != 0 || (!r.deck.errors.empty() && !q.lines.empty())) {
        std::fprintf(stderr, "property broken: questions from a broken package\n");
        std::abort();
    }
    // A pick by name goes through the note types' field lists.
    readApkg(bytes, {QStringLiteral("Back"), QStringLiteral("1")}, lang, 4 * 1024 * 1024);
    return 0;
}
