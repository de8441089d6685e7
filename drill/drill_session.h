#pragma once
// DrillSession: what the drill knows and the rules that change it, with no
// window attached. The question list with its mistake marks, the question
// on screen, the three question orders with their draws, the live score and
// the block-run counters live here; TSorami shows them and asks the learner.
// Nothing in here reads a clock: the time of day that seeds a random draw is
// handed in by the caller.
#include "marks_journal.h"
#include "question_file.h"

#include <optional>
#include <string>

namespace sorami {

// A number drawn uniformly from 0 to n - 1 by a generator seeded with `seed`
// (0 when n < 1). The drill seeds it with the time of day before every draw,
// so seeds a millisecond or a steady second apart must land anywhere in the
// range: the seed is mixed through every bit before it is reduced.
int seededDraw(int seed, int n);

class DrillSession {
public:
    enum class Order { Serial, Random, MistakesOnly };

    // What judging one answer did, for the window to show.
    struct Judgement {
        bool correct = false;
        // Typed bytes minus model-answer bytes: the length hint's figure.
        long long over = 0;
        bool markSet = false;     // the question got its mistake mark
        bool markCleared = false; // the question lost its mistake mark
        // The answer was the last of a block run: the run waits for its
        // grade, and the answer never reaches the live score.
        bool blockComplete = false;
    };

    // How a jump to a question number went.
    enum class Jump {
        NoNumber, // nothing to jump to; the jump still waits for a go-back
        PastEnd,  // far beyond the last question: back to question 1, no move
        Ready,    // placed just before the question; the advance lands on it
    };

    // --- The question list ------------------------------------------------
    // A newly read list: the score starts again, the marks are counted, the
    // first question is current, and in random order the go-back target is
    // drawn with `seed`. The list counts as saved: it is what the file holds.
    void load(Lines lines, int seed);
    // No list at all, as before the first load.
    void clearQuestions() {
        lines_.clear();
        currentLine_ = 0;
        changed_ = false;
    }
    // The list differs from what was last loaded or saved: only then is
    // there anything the exit must write back. A file that was opened and
    // closed untouched keeps every byte, also those the reader never read.
    bool changed() const { return changed_; }
    void markSaved() { changed_ = false; }
    // Marks of a journal, put where their questions now are; the list
    // counts as changed when any mark moved. The number of lines changed.
    int applyMarks(const std::vector<MarkRecord>& records);
    // The list as the file now holds it, after another program changed the
    // file: the question in hand stays where the list still reaches, the
    // marks are counted, and the list counts as saved.
    void replaceLines(Lines lines);
    // The record of the mark of the question in hand, as it is now.
    MarkRecord currentMark() const { return markRecordAt(lines_, currentLine_); }
    const Lines& questionLines() const { return lines_; }
    int lineCount() const { return static_cast<int>(lines_.size()); }
    int questionCount() const { return sorami::questionCount(lines_); }
    // Line `index`, or an empty line where the list has none.
    std::string_view line(int index) const { return lineAt(lines_, index); }

    // --- Editing the list --------------------------------------------------
    // Every edit leaves the list changed, so the exit writes it back; none
    // recounts the mistake marks. A list whose line count is not a multiple
    // of 3 is edited only where it has lines: nothing past its end is read,
    // written or erased.
    // The three lines of a new question, inserted as lines `at` to `at` + 2.
    void insertQuestion(int at, const std::string& japanese, const std::string& english,
                        const std::string& idiom);
    // Lines `at`, `at` + 1 and `at` + 2, as far as the list has them.
    void replaceQuestion(int at, const std::string& japanese, const std::string& english,
                         const std::string& idiom);
    // Removes lines `at` to `at` + 2, as far as the list has them; when the
    // question in hand is then past the end, question 1 is.
    void removeQuestion(int at);
    void setCurrentLine(int line) { currentLine_ = line; }

    // The question in hand: its first line, where a move may leave it before
    // the list (an empty list) but never past it.
    int currentLine() const { return currentLine_; }
    int questionNumber() const { return currentLine_ / 3 + 1; }
    std::string_view question() const { return line(currentLine_); }
    std::string_view modelAnswer() const { return line(currentLine_ + 1); }
    std::string_view idiom() const { return line(currentLine_ + 2); }

    // --- Orders and moves -------------------------------------------------
    Order order() const { return order_; }
    void setOrder(Order order) { order_ = order; }
    // The next question in the order in force. False in mistakes-only order
    // when no marked question was found; the mark count is then fresh, and
    // when it is 0 the run is over.
    bool advance(int seed);
    // The question before, or where a pending jump leads; false as advance.
    bool goBack();
    Jump jumpTo(std::optional<int> number);
    // Places the cursor so the next serial advance lands on question
    // `number`; the resume record uses it.
    void placeBefore(int number) { currentLine_ = (number - 2) * 3; }
    int previousLine() const { return previousLine_; }
    bool jumpPending() const { return jumpPending_; }

    // --- Marks, judgement and the live score -----------------------------
    int mistakeCount() const { return mistakeCount_; }
    // Byte for byte against the model answer; marks a wrongly answered
    // question, unmarks a rightly answered one and counts the score.
    Judgement judge(std::string_view typed);
    int answerCount() const { return answerCount_; }
    int correctCount() const { return correctCount_; }
    // The share of right answers in percent, and its whole part; only
    // meaningful once an answer has been counted.
    double rate() const;
    int percent() const;
    void resetScore();

    // --- Block runs ------------------------------------------------------
    bool blockMode() const { return blockMode_; }
    int blockSize() const { return blockSize_; }
    int blockAskedCount() const { return blockAskedCount_; }
    int blockCorrectCount() const { return blockCorrectCount_; }
    int blockLeft() const { return blockSize_ - blockAskedCount_; }
    // The run begins before its size is known: the window behind the size
    // dialog already belongs to it.
    void beginBlock() { blockMode_ = true; }
    void sizeBlock(int size);
    void cancelBlock() { blockMode_ = false; }
    // Leaves a run before its last question; false when there was none.
    bool leaveBlock();
    // After the grade of a finished run.
    void endBlock();

private:
    bool findMarked(int step);
    void recountMarks() { mistakeCount_ = countMarked(lines_); }
    bool setMark(bool marked);

    Lines lines_;
    int currentLine_ = 0;
    Order order_ = Order::Serial;
    int previousLine_ = 0;
    // The line the last random advance drew, -1 before any draw over this list.
    int lastRandomPick_ = -1;
    bool changed_ = false;
    bool jumpPending_ = false;
    int mistakeCount_ = 0;
    int correctCount_ = 0;
    int answerCount_ = 0;
    bool blockMode_ = false;
    int blockSize_ = 0;
    int blockAskedCount_ = 0;
    int blockCorrectCount_ = 0;
};

} // namespace sorami
