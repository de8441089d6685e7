// The drill's rules without a window: loading a list, the moves in the three
// orders, the judgement with its mistake mark, the live score and the block
// counters.
#include "drill_session.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace sorami {

namespace {

// splitmix64: one step of its sequence from `state`. Seeds that differ by one
// give outputs that differ in about half their bits, where a plain linear
// generator would move its first output by a fixed amount per millisecond
// and walk through the list.
std::uint64_t splitmix64(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

} // namespace

int seededDraw(int seed, int n) {
    if (n < 1) return 0;
    std::uint64_t state = static_cast<std::uint32_t>(seed);
    const std::uint64_t range = static_cast<std::uint64_t>(n);
    // Outputs from the last whole multiple of the range up are drawn again,
    // so every number is equally likely; that happens almost never.
    const std::uint64_t all = std::numeric_limits<std::uint64_t>::max();
    const std::uint64_t limit = all - all % range;
    for (;;) {
        const std::uint64_t z = splitmix64(state);
        if (z < limit) return static_cast<int>(z % range);
    }
}

namespace {

// Where a backward move lands after question 1: the start of the last
// question, a trailing incomplete one included, so every move stays on the
// first line of a question.
int lastStart(int lineCount) {
    return lineCount == 0 ? -3 : (lineCount - 1) / 3 * 3;
}

} // namespace

void DrillSession::insertQuestion(int at, const std::string& japanese, const std::string& english,
                                  const std::string& idiom) {
    lines_.insert(static_cast<size_t>(std::clamp(at, 0, lineCount())), {japanese, english, idiom});
    changed_ = true;
}

void DrillSession::replaceQuestion(int at, const std::string& japanese, const std::string& english,
                                   const std::string& idiom) {
    const std::string* texts[3] = {&japanese, &english, &idiom};
    for (int i = 0; i < 3; ++i) {
        const int index = at + i;
        if (index < 0 || index >= lineCount()) continue;
        lines_.set(static_cast<size_t>(index), *texts[i]);
        changed_ = true;
    }
}

void DrillSession::removeQuestion(int at) {
    if (at < 0 || at >= lineCount()) return;
    const int end = std::min(at + 3, lineCount());
    lines_.erase(static_cast<size_t>(at), static_cast<size_t>(end));
    changed_ = true;
    if (currentLine_ >= lineCount()) currentLine_ = 0;
}

void DrillSession::load(Lines lines, int seed) {
    lines_ = std::move(lines);
    changed_ = false;
    // A draw over the list before says nothing about this one.
    lastRandomPick_ = -1;
    resetScore();
    recountMarks();
    if (order_ == Order::Random) previousLine_ = seededDraw(seed, lineCount()) / 3 * 3;
    currentLine_ = 0;
}

int DrillSession::applyMarks(const std::vector<MarkRecord>& records) {
    const int changed = sorami::applyMarks(records, lines_);
    if (changed != 0) {
        changed_ = true;
        recountMarks();
    }
    return changed;
}

void DrillSession::replaceLines(Lines lines) {
    lines_ = std::move(lines);
    changed_ = false;
    lastRandomPick_ = -1;
    recountMarks();
    if (currentLine_ >= lineCount()) currentLine_ = 0;
}

// --- Moves ----------------------------------------------------------------

// One pass at most over the list, from the question after (step 3) or before
// (step -3) the current one, wrapping at the ends. The mark count can be
// stale after a wrong answer to an incomplete last question, which carries a
// mark no search may land on; when no marked question is found the marks are
// recounted.
bool DrillSession::findMarked(int step) {
    const int n = lineCount();
    const int positions = (n + 2) / 3;
    int pos = currentLine_;
    for (int i = 0; i < positions; ++i) {
        if (step > 0)
            pos = pos + 3 >= n ? 0 : pos + 3;
        else
            pos = pos - 3 < 0 ? lastStart(n) : pos - 3;
        if (pos + 2 < n && isMarked(line(pos))) {
            currentLine_ = pos;
            return true;
        }
    }
    recountMarks();
    return false;
}

bool DrillSession::advance(int seed) {
    previousLine_ = currentLine_;
    jumpPending_ = false;
    switch (order_) {
    case Order::Random: {
        // The question after the drawn one. A draw that repeats the last
        // pick, or would show the question already on screen, moves on by
        // one question, wrapping at the end like the shown one does, and
        // at most once round the list (one question can only show itself).
        const int n = lineCount();
        const auto after = [n](int line) { return line + 3 >= n ? 0 : line + 3; };
        const int positions = (n + 2) / 3;
        int a = seededDraw(seed, n) / 3 * 3;
        for (int i = 0; i < positions && (a == lastRandomPick_ || after(a) == currentLine_); ++i)
            a = after(a);
        currentLine_ = after(a);
        lastRandomPick_ = a;
        return true;
    }
    case Order::MistakesOnly:
        return mistakeCount_ != 0 && findMarked(3);
    case Order::Serial:
        break;
    }
    currentLine_ += 3;
    if (currentLine_ >= lineCount()) currentLine_ = 0;
    return true;
}

bool DrillSession::goBack() {
    if (jumpPending_) {
        // A jump that did not move yet moves forward.
        currentLine_ += 3;
        if (currentLine_ >= lineCount()) currentLine_ = 0;
        jumpPending_ = false;
        return true;
    }
    switch (order_) {
    case Order::Random:
        // Back to where the last advance started, if an edit has not taken
        // that question away since.
        currentLine_ = previousLine_ < 0 || previousLine_ >= lineCount() ? lastStart(lineCount())
                                                                         : previousLine_;
        return true;
    case Order::MistakesOnly:
        return mistakeCount_ != 0 && findMarked(-3);
    case Order::Serial:
        break;
    }
    currentLine_ -= 3;
    if (currentLine_ < 0) currentLine_ = lastStart(lineCount());
    return true;
}

DrillSession::Jump DrillSession::jumpTo(std::optional<int> number) {
    jumpPending_ = true;
    if (!number) return Jump::NoNumber;
    if (*number > questionCount() + 1) {
        currentLine_ = 0;
        return Jump::PastEnd;
    }
    // The number box only ever holds the spinner's position, 1 or more.
    placeBefore(std::max(*number, 1));
    return Jump::Ready;
}

// --- Judgement, marks and score -------------------------------------------

DrillSession::Judgement DrillSession::judge(std::string_view typed) {
    Judgement j;
    if (blockMode_) ++blockAskedCount_;
    const std::string_view model = modelAnswer(); // empty when the file ends early
    // Byte for byte: case, blanks, punctuation and character widths all count.
    j.correct = typed == model;
    j.over = static_cast<long long>(typed.size()) - static_cast<long long>(model.size());
    if (j.correct) {
        ++correctCount_;
        if (blockMode_) ++blockCorrectCount_;
        if (isMarked(question())) j.markCleared = setMark(false);
    } else {
        if (!isMarked(question())) j.markSet = setMark(true);
    }
    j.blockComplete = blockMode_ && blockAskedCount_ == blockSize_;
    // The run's last answer is never counted: the score starts again after
    // the grade.
    if (!j.blockComplete) ++answerCount_;
    return j;
}

bool DrillSession::setMark(bool marked) {
    // An empty list has no question line to mark.
    if (currentLine_ < 0 || currentLine_ >= lineCount()) return false;
    const auto index = static_cast<size_t>(currentLine_);
    const std::string_view first = lines_[index];
    changed_ = true;
    if (marked) {
        lines_.set(index, withMistakeMark(first));
        ++mistakeCount_;
    } else {
        lines_.set(index, withoutMistakeMark(first));
        mistakeCount_ = std::max(0, mistakeCount_ - 1);
    }
    return true;
}

double DrillSession::rate() const {
    return answerCount_ == 0 ? 0.0 : static_cast<double>(correctCount_) / answerCount_ * 100.0;
}

int DrillSession::percent() const {
    return answerCount_ == 0 ? 0 : correctCount_ * 100 / answerCount_;
}

void DrillSession::resetScore() {
    correctCount_ = 0;
    answerCount_ = 0;
}

// --- Block runs -----------------------------------------------------------

void DrillSession::sizeBlock(int size) {
    blockSize_ = size;
    blockAskedCount_ = 0;
    blockCorrectCount_ = 0;
}

bool DrillSession::leaveBlock() {
    if (!blockMode_) return false;
    blockMode_ = false;
    return true;
}

void DrillSession::endBlock() {
    blockAskedCount_ = 0;
    blockCorrectCount_ = 0;
    blockMode_ = false;
}

} // namespace sorami
