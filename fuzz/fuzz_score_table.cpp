// Feeds arbitrary bytes to the score-file reader of srmtool and to what is
// made from its records: the CSV and the chart. Besides "no crash", it checks
// what scripts and viewers rely on.

#include "tool_chart.h"
#include "tool_scores.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace sorami::tool;

namespace {

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

bool allDigits(const QString& s) {
    if (s.isEmpty()) return false;
    for (const QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

// Rows of RFC 4180 text: a CR LF outside quotes ends a row.
size_t csvRows(const std::string& csv) {
    size_t rows = 0;
    bool quoted = false;
    for (size_t i = 0; i < csv.size(); ++i) {
        if (csv[i] == '"') quoted = !quoted;
        if (!quoted && csv[i] == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n') ++rows;
    }
    check(!quoted, "CSV ends inside a quoted field");
    return rows;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<ScoreRecord> records = parseScores(bytes);

    // Records come in the order of the file, each naming a line that exists.
    const size_t breaks = static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n') +
                                              std::count(bytes.begin(), bytes.end(), '\r'));
    int last = 0;
    for (const ScoreRecord& r : records) {
        check(r.line >= 1 && static_cast<size_t>(r.line) <= breaks + 1, "record line out of range");
        check(r.line >= last, "records out of order");
        last = r.line;
        if (r.kind == ScoreKind::Report || r.kind == ScoreKind::BlockSaved)
            check(allDigits(r.count) && allDigits(r.correct), "a rated record without numbers");
    }

    check(csvRows(scoresCsv(records)) == records.size() + 1, "CSV rows differ from the records");

    // The chart is a whole SVG document whatever the records hold.
    const ChartPicture picture = scoreChart(records, QStringLiteral("t"), Lang{true});
    check(picture.plotted <= static_cast<int>(records.size()), "more points than records");
    const std::string svg = chartSvg(picture);
    check(svg.rfind("<?xml", 0) == 0 && svg.size() >= 7 && svg.substr(svg.size() - 7) == "</svg>\n",
          "SVG not whole");
    for (const char c : svg)
        check(static_cast<unsigned char>(c) >= 0x20 || c == '\n' || c == '\t',
              "control character in the SVG");
    return 0;
}
