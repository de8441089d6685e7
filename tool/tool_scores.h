#pragma once
// `srmtool scores`: the records of the score file, read back from their
// fixed-width lines.
//
// Fields are right-aligned and a long value pushes the rest of its line to
// the right, so the reader anchors on the date-time ("yy/mm/dd hh:nn:ss")
// and on the fixed words (rating and grade words, the cancel and unsaved
// texts) rather than on byte columns.

#include "tool_text.h"

#include <string>
#include <string_view>
#include <vector>

namespace sorami::tool {

enum class ScoreKind {
    Report,        // answers, correct, rating word, learner
    BlockSaved,    // questions, correct, grade word
    BlockDeclined, // "*** Cancel ***"
    BlockUnsaved,  // the row of asterisks
    BlockOpen,     // only the question file: the result dialog never ended the line
    Unknown,       // kept whole in `rest`
};

struct ScoreRecord {
    int line = 0; // 1-based line of the file
    ScoreKind kind = ScoreKind::Unknown;
    QString file;
    QString date;  // yy/mm/dd
    QString time;  // hh:nn:ss
    QString count; // answers or questions
    QString correct;
    QString word; // rating or grade word, trimmed
    QString learner;
    QString rest;
};

// Header lines are skipped; every other line gives at least one record.
std::vector<ScoreRecord> parseScores(std::string_view bytes);

const char* kindName(ScoreKind kind);
std::string scoresCsv(const std::vector<ScoreRecord>& records);
std::string scoresText(const std::vector<ScoreRecord>& records, const Lang& lang);

} // namespace sorami::tool
