// Feeds arbitrary bytes to the memo's file readers, RTF and plain text.
// Besides "no crash, no hang", it checks what the memo relies on: any RTF
// gives a document within the memo's limit; what is written reads back with
// the same text, paragraphs, bullets and indents; and after one pass writing
// and reading change nothing at all.

#include "rich_text.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace sorami::rich;

namespace {
void check(bool ok, const char* what) {
    if (!ok) {
        fprintf(stderr, "property broken: %s\n", what);
        abort();
    }
}

bool sameStructure(const Document& a, const Document& b) {
    if (a.paragraphs.size() != b.paragraphs.size()) return false;
    for (std::size_t i = 0; i < a.paragraphs.size(); ++i) {
        const Paragraph& p = a.paragraphs[i];
        const Paragraph& q = b.paragraphs[i];
        if (p.text() != q.text() || p.bullet != q.bullet || p.leftIndent != q.leftIndent ||
            p.firstIndent != q.firstIndent)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const auto rtf = readRtf(bytes);
    check(rtf.has_value() == looksLikeRtf(bytes), "RTF recognised inconsistently");
    const Document first = rtf ? *rtf : readPlainText(bytes);
    check(!first.paragraphs.empty(), "no paragraph");
    check(static_cast<std::size_t>(first.text().size()) <= MaxChars, "past the limit");

    const auto second = readRtf(writeRtf(first));
    check(second.has_value(), "written RTF not recognised");
    check(!second->truncated, "written RTF truncated");
    check(sameStructure(first, *second), "RTF write/read changed the text");
    const auto third = readRtf(writeRtf(*second));
    check(third.has_value() && *third == *second, "RTF write/read not stable");

    // Plain files: what is written reads back the same from then on.
    const Document plain = readPlainText(bytes);
    const std::string written = writePlainText(plain);
    check(writePlainText(readPlainText(written)) == written, "plain write/read not stable");
    return 0;
}
