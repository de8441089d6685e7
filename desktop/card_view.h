#pragma once
// What the two companion windows share: opening a question file into their
// card list, and showing a card in their upper and lower boxes.

#include "card_list.h"
#include "platform.h"
#include "sjis_text.h"
#include "speech.h"
#include "text_box.h"

class QWidget;

namespace sorami {

// Shows the open dialog and reads the chosen file into `cards`, starting at
// its first card. A file that cannot be read is reported in a Retry/Cancel
// box; Retry opens the dialog again. False when the learner gave up; the
// card list is then unchanged. With `picked`, that file is taken as if the
// learner had chosen it in the dialog, which then opens only on Retry.
bool openCardFile(Platform& platform, QWidget* parent, FileDialogState& dialog, CardList& cards,
                  const QString& picked = {});

// The companions' speak command for the model answer of the card in hand.
inline SpeakCommand addCardSpeakCommand(Platform& platform, QWidget* window,
                                        const CardList& cards) {
    return addSpeakCommand(platform, window, [&cards] {
        return cards.hasAnswers() ? fromSjis(cards.answer()) : QString();
    });
}

// The upper box shows the card's sentence, the lower one the model answer or
// the idiom line on request. Box is the text box class the window uses.
template <typename Box> struct CardView {
    Box* upper = nullptr;
    Box* lower = nullptr;
    Speaker* speaker = nullptr; // what it speaks belongs to the card in hand

    // A new card: its sentence above, nothing below. No card, nothing changes.
    void showCard(const CardList& cards) const {
        if (speaker) speaker->stop();
        if (cards.lines.empty()) return;
        showPlainText(upper, shownLine(cards.sentence()));
        lower->clear();
    }
    void showAnswer(const CardList& cards) const {
        if (cards.hasAnswers()) showPlainText(lower, shownLine(cards.answer()));
    }
    void showIdiom(const CardList& cards) const {
        if (cards.hasAnswers()) showPlainText(lower, shownLine(cards.idiom()));
    }
};

} // namespace sorami
