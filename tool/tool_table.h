#pragma once
// `srmtool export` and `srmtool import`: question files as UTF-8 text, TSV
// or CSV, one question per row (Japanese, answer, idiom, marked 0/1).
//
// TSV escapes backslash, tab, CR and LF with a backslash and writes a byte
// that is not CP932 as \xHH, so a file survives export and import byte for
// byte whatever it holds. CSV follows RFC 4180 quoting; it has no escape, so
// invalid bytes go out as U+FFFD and are reported. A trailing question of one
// or two lines is a row of one or two cells, so it is not padded on import.

#include "question_file.h"
#include "tool_text.h"

#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace sorami::tool {

enum class Format { Utf8, Tsv, Csv, Anki, Kvtml };

// A place in a file and what is wrong there (line and column 1-based).
struct Problem {
    int line = 0;
    int column = 0;
    QString text;
};

struct ExportResult {
    std::string output;             // UTF-8
    std::vector<Problem> lossy;     // invalid bytes written as U+FFFD
    long long ignoredAfterNul = -1; // bytes from the first NUL on, -1 for none
};

ExportResult exportQuestions(std::string_view bytes, Format format, const Lang& lang);

// One CSV field, quoted when RFC 4180 requires it: a comma, a double quote,
// CR or LF inside. `forceQuotes` quotes an empty field too, for a row whose
// only cell is empty, which must not read back as no row.
QString csvField(const QString& value, bool forceQuotes = false);

struct ImportResult {
    Lines lines;                   // CP932 bytes, ready for writeQuestionFile
    std::vector<Problem> errors;   // nothing is written when there are any
    std::vector<Problem> replaced; // characters written as "?" under --replace
    std::vector<Problem> skipped;  // rows of a deck left out, and why
    std::vector<Problem> notices;  // how a deck was read, where it was not as it said
};

// Appends `text` to `out` as CP932. A character CP932 cannot hold is an
// error at `line` and `column` (plus its place in the text; a column of 0
// stays 0), or, with `replace`, a "?" that is reported. Every import goes
// through here, so all formats refuse and replace alike.
void appendSjis(std::string& out, QStringView text, int line, int column, bool replace,
                ImportResult& result, const Lang& lang);

// Appends one question's three lines with its mark. A Japanese line that
// begins as a marked one ("? ") in a question that is not marked is refused:
// it would read back as marked.
void appendQuestion(ImportResult& result, std::string japanese, std::string_view answer,
                    std::string_view idiom, bool marked, int line, int column, const Lang& lang);

ImportResult importQuestions(std::string_view utf8, Format format, bool replace, const Lang& lang);

} // namespace sorami::tool
