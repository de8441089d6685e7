#include "sjis_text.h"

#include <array>
#include <cerrno>
#include <iconv.h>
#include <mutex>

namespace sorami {
namespace {

// Decoding is done from tables built once from the C library's CP932
// converter: every single byte and every lead/trail pair is asked once, so
// display conversion of long files costs a table look-up per character.
struct DecodeTables {
    std::array<char16_t, 256> single{}; // 0 = lead byte or invalid
    std::array<bool, 256> lead{};
    std::array<char16_t, 256 * 256> pair{}; // 0 = invalid pair

    DecodeTables() {
        iconv_t cd = iconv_open("UTF-16LE", "CP932");
        if (cd == reinterpret_cast<iconv_t>(-1)) return;
        auto convert = [&](const unsigned char* in, size_t len) -> char16_t {
            char inbuf[2] = {static_cast<char>(in[0]), len > 1 ? static_cast<char>(in[1]) : '\0'};
            char outbuf[8];
            char* ip = inbuf;
            char* op = outbuf;
            size_t il = len, ol = sizeof outbuf;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1) || il != 0) return 0;
            if (sizeof outbuf - ol != 2) return 0; // only BMP characters live in CP932
            return static_cast<char16_t>(static_cast<unsigned char>(outbuf[0]) |
                                         (static_cast<unsigned char>(outbuf[1]) << 8));
        };
        for (int b = 0; b < 256; ++b) {
            const unsigned char c = static_cast<unsigned char>(b);
            lead[b] = isSjisLeadByte(c);
            if (!lead[b]) {
                single[b] = b == 0 ? u'\0' : convert(&c, 1);
                continue;
            }
            for (int t = 0x40; t <= 0xFC; ++t) {
                const unsigned char two[2] = {c, static_cast<unsigned char>(t)};
                pair[b * 256 + t] = convert(two, 2);
            }
        }
        iconv_close(cd);
    }
};

const DecodeTables& tables() {
    static const DecodeTables t;
    return t;
}

} // namespace

QString fromSjis(std::string_view bytes) {
    const DecodeTables& t = tables();
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    for (size_t i = 0; i < n; ++i) {
        const unsigned char b = p[i];
        if (b == 0) {
            out.append(QChar(u'\0'));
            continue;
        }
        if (t.lead[b]) {
            if (i + 1 < n) {
                const char16_t ch = t.pair[b * 256 + p[i + 1]];
                if (ch != 0) {
                    out.append(QChar(ch));
                    ++i;
                    continue;
                }
            }
            out.append(QChar(QChar::ReplacementCharacter));
            continue;
        }
        const char16_t ch = t.single[b];
        out.append(ch != 0 ? QChar(ch) : QChar(QChar::ReplacementCharacter));
    }
    return out;
}

std::string_view sjisPrefix(std::string_view bytes, size_t maxChars) {
    const DecodeTables& t = tables();
    size_t i = 0;
    for (size_t chars = 0; chars < maxChars && i < bytes.size(); ++chars)
        i += t.lead[static_cast<unsigned char>(bytes[i])] && i + 1 < bytes.size() ? 2 : 1;
    return bytes.substr(0, i);
}

std::string toSjis(const QString& text) {
    // Encoding goes through one converter kept open for the whole run; the
    // programs are single-threaded, the mutex only guards against misuse.
    static std::mutex lock;
    static iconv_t cd = iconv_open("CP932", "UTF-16LE");
    std::string out;
    if (text.isEmpty()) return out;
    out.reserve(static_cast<size_t>(text.size()) * 2);
    std::lock_guard guard(lock);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        for (QChar c : text)
            out.push_back(c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : '?');
        return out;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const qsizetype n = text.size();
    // No bounds check per character: i < n.
    const auto* units = reinterpret_cast<const char16_t*>(text.constData());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = units[i];
        if (u < 0x80) { // ASCII is identical in CP932
            out.push_back(static_cast<char>(u));
            continue;
        }
        // A surrogate pair is one character outside CP932.
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(units[i + 1])) {
            out.push_back('?');
            ++i;
            continue;
        }
        char in[2] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
        char buf[4];
        char* ip = in;
        char* op = buf;
        size_t il = 2, ol = sizeof buf;
        if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1)) {
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            out.push_back('?');
            continue;
        }
        out.append(buf, sizeof buf - ol);
    }
    return out;
}

std::string toSjisKeeping(const QString& text, std::string_view original) {
    if (fromSjis(original) == text) return std::string(original);
    return toSjis(text);
}

} // namespace sorami
