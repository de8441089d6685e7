#pragma once
// The score file "成績.dat": the learner's history of results, fixed-width
// Shift-JIS lines ended by CR LF that the drill appends to and never parses.
//
// Two kinds of line go into it. A report record (question file, moment,
// answers, correct answers, rating word, learner) is one append. A block
// record is written in two steps: the end of a block run writes the question
// file's name without a line end, and the result dialog finishes the line
// with the moment and the result, with a cancel mark, or with a row of
// asterisks. Widths are counted in bytes (a double-byte character counts
// 2); a shorter value is padded with blanks on the left, a longer one is
// written whole and pushes the rest of the line to the right.
//
// Only erasing creates the file (with its header); every writer appends to
// an existing file and every field goes to the disk as soon as it is
// written, so a record half written when the program dies is still there.
// An append the disk has no room for is taken back, never left half done.

#include "question_file.h"

#include <QDateTime>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace sorami {

// ---- Layout -------------------------------------------------------------

namespace score {
constexpr int FileNameWidth = 12;
constexpr int MomentWidth = 20;
constexpr int CountWidth = 6;   // answers, or the questions of a block
constexpr int CorrectWidth = 9; // correct answers
constexpr int WordWidth = 12;   // rating word or grade word
constexpr int LearnerWidth = 8;
} // namespace score

inline const QString ScoreFileName = QStringLiteral("成績.dat");

// The value right-aligned in `width` bytes; a longer value comes back whole.
std::string rightAligned(std::string_view value, int width);

// "yy/mm/dd hh:nn:ss", 17 bytes, with these separators whatever the locale.
std::string scoreDateTime(const QDateTime& moment);

// The name of the question file without its directory, as Shift-JIS bytes;
// empty for no file.
std::string fileNamePart(const QString& problemFileName);

// The seven header lines, each ended by CR LF.
std::string scoreHeader();

// ---- Ratings and grades -------------------------------------------------

// Tenths right: correct × 10 div out of, 0 to 10 (0 when out of is 0). A
// session's rating R (out of its answers) and a block's grade G (out of the
// block's size) are both this.
int ratingOf(int correct, int outOf);
// One of the ten rating words, each exactly 8 bytes.
std::string ratingWord(int rating);

// What a block's grade G brings: its cue, its grade word and the grade code
// that the result dialog writes by (1 "優合格" .. 4 "不合格").
struct BlockGrade {
    int grade = 0;
    int code = 0;
    QString cue;
    std::string word; // Shift-JIS
};
BlockGrade blockGrade(int correct, int size);

// The grade word written for a grade code; empty for 0 (no grade).
std::string gradeWord(int gradeCode);

// ---- Records, field by field (the last element is the line end) ---------

std::vector<std::string> reportRecordFields(const QString& problemFileName, const QDateTime& moment,
                                            int answers, int correct, std::string_view learner);
// The first field of a block record: the question file, no line end.
std::vector<std::string> blockRecordStartFields(const QString& problemFileName);
// The end of a block record whose result was saved: moment, questions,
// correct answers (the dialog's label texts) and the grade word.
std::vector<std::string> blockRecordSavedFields(const QDateTime& moment, std::string_view questions,
                                                std::string_view correct, int gradeCode);
// The end of a block record whose save was declined.
std::vector<std::string> blockRecordDeclinedFields(const QDateTime& moment);
// The end of a block record left without saving.
std::vector<std::string> blockRecordUnsavedFields();

// ---- The file -----------------------------------------------------------

class ScoreFile {
public:
    // The score file beside the program.
    ScoreFile();
    explicit ScoreFile(QString path);

    const QString& path() const { return path_; }

    // Starts the file anew with its header; the scores in it are gone.
    // Throws SoramiError "ﾌｧｲﾙ %s を作成できません" or the system's text.
    void erase() const;

    // Whether the fields begin a record (NewLine: a line left open by a
    // block record that never ended is ended first) or carry on the line
    // that a block record began.
    enum class Start { Continue, NewLine };

    // Appends the fields in order, each written to the file as it comes.
    // The file must exist: a missing file raises an error that names it and
    // points to erasing the scores, and is not created by this. An append
    // that cannot be completed (a full disk) is taken back whole, the file
    // keeps its old length, and the error names the file and the cause.
    void append(const std::vector<std::string>& fields, Start start = Start::Continue) const;

    void appendReport(const QString& problemFileName, const QDateTime& moment, int answers,
                      int correct, std::string_view learner) const {
        append(reportRecordFields(problemFileName, moment, answers, correct, learner),
               Start::NewLine);
    }
    void beginBlockRecord(const QString& problemFileName) const {
        append(blockRecordStartFields(problemFileName), Start::NewLine);
    }
    void saveBlockResult(const QDateTime& moment, std::string_view questions,
                         std::string_view correct, int gradeCode) const {
        append(blockRecordSavedFields(moment, questions, correct, gradeCode));
    }
    void declineBlockResult(const QDateTime& moment) const {
        append(blockRecordDeclinedFields(moment));
    }
    void leaveBlockResult() const { append(blockRecordUnsavedFields()); }

    // The lines of the file, for the score table. Same errors as append.
    Lines readLines() const;

private:
    [[noreturn]] void raiseCannotOpen() const;
    QString path_;
};

} // namespace sorami
