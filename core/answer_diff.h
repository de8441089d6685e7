#pragma once
// Where a wrong answer differs from the model answer, for the learner to
// see: the characters typed that the model answer does not have, the model
// answer's characters left out, and, when every difference is of one kind,
// that kind. Characters, not bytes: a Japanese character is one unit. The
// judgement stays byte for byte and is not made here.
#include <QString>

#include <vector>

namespace sorami {

struct TextSpan {
    int start = 0; // in UTF-16 units of the text, as a text box counts
    int length = 0;
    bool operator==(const TextSpan&) const = default;
};

struct AnswerDiff {
    enum class Kind {
        Equal,       // nothing differs
        Mixed,       // differences of more than one kind, or of none named
        FullWidth,   // full-width characters where half-width ones belong
        CaseOnly,    // upper and lower case only
        SpacesOnly,  // spaces only: leading, trailing, doubled or missing
        Punctuation, // punctuation only
    };
    Kind kind = Kind::Equal;
    std::vector<TextSpan> typedExtra;   // in the typed answer
    std::vector<TextSpan> modelMissing; // in the model answer
};

// Texts longer than this many characters together get a kind but no spans:
// the edit script's cost grows with the square of the differences.
inline constexpr int kLongestDiffedText = 2000;

// A shortest edit script (Myers) between the two texts as the boxes show them.
AnswerDiff diffAnswers(const QString& typed, const QString& model);

} // namespace sorami
