#pragma once
// The journal of marks: every mistake mark the drill sets or takes off is
// appended to a small file and handed to the system at once, so a drill
// killed before its exit (SIGKILL, the X server gone) loses at most the
// answer it was writing. The question file itself is still rewritten only at
// the exit and after edits; each rewrite empties the journal, and opening
// the question file again applies whatever a journal holds for it.
//
// The file, "marks-<hash of the path>.journal" where the scores are kept:
//
//   sorami marks journal 1
//   <the question file's absolute path, UTF-8, percent-encoded>
//   + 123 89abcdef        the question at line 123 got the mark
//   - 6 01234567          the question at line 6 lost it
//
// The hexadecimal number is the question's key (its Japanese line without
// the mark, and its model answer), so a record still finds its question
// when lines were added or removed before it in the meantime.

#include "question_file.h"

#include <QFile>
#include <QString>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace sorami {

struct MarkRecord {
    int line = 0; // the question's first line when it was answered
    bool marked = false;
    std::uint32_t key = 0;
    bool operator==(const MarkRecord&) const = default;
};

// What identifies a question whatever its place and its mark.
std::uint32_t questionKey(std::string_view japanese, std::string_view answer);
// The record of the question at `line` of `lines` as it is now.
MarkRecord markRecordAt(const Lines& lines, int line);

// Where the journal of the question file `questionPath` lies.
QString marksJournalPath(const QString& questionPath);

struct MarksJournalContents {
    QString questionPath; // absolute
    std::vector<MarkRecord> records;
};
// The journal at `journalPath`; nothing when there is none or the file is
// not a journal. A last record cut short (the program died while writing
// it) and lines that are no record are left out.
std::optional<MarksJournalContents> readMarksJournal(const QString& journalPath);

// The records a journal holds for the question file `questionPath`; none
// when its journal is missing, is no journal or belongs to another file.
std::vector<MarkRecord> journalledMarks(const QString& questionPath);

// Applies the records in their order: each goes to the question at its line
// when that question has its key, else to the question with its key nearest
// to that line; a record whose question is gone is dropped. The number of
// lines whose mark changed.
int applyMarks(const std::vector<MarkRecord>& records, Lines& lines);

class MarksJournal {
public:
    MarksJournal() = default;
    MarksJournal(const MarksJournal&) = delete;
    MarksJournal& operator=(const MarksJournal&) = delete;

    // From now on the marks of the question file `questionPath` are
    // recorded, starting with `carried` (marks taken over from an older
    // journal, not yet in the file). The journal of the file recorded
    // before goes; no file is written while there is nothing to record.
    void start(const QString& questionPath, std::vector<MarkRecord> carried = {});
    // Appends one record; false when the journal cannot be written (the
    // record is kept in memory all the same).
    bool record(const MarkRecord& r);
    // The question file holds every mark: the records and the file go.
    void clear() { start(questionPath_); }
    // Nothing is recorded any more, and the journal's file goes.
    void stop() { start({}); }
    // Leaves the journal's file where it is and records no more: the marks
    // it holds come back when the question file is opened next.
    void keepOnDisk();

    const QString& questionPath() const { return questionPath_; }
    const QString& journalPath() const { return journalPath_; }
    const std::vector<MarkRecord>& records() const { return records_; }

private:
    bool open();
    QString questionPath_;
    QString journalPath_;
    std::vector<MarkRecord> records_;
    QFile file_;
};

} // namespace sorami
