#pragma once
// The drill's modes, with no window attached: what the correct-answer box
// shows between answers, the mask over the typed answer, the automatic and
// flash advance, the two-press add and change, and the on/off items. The
// window presses them and shows what they answer; which press does what is
// decided here, beside DrillSession, so it can be tried without a window.
#include <optional>
#include <string>

namespace sorami {

// An item or button that turns something on with one press and off with the
// next.
class Switch {
public:
    bool press() { return on_ = !on_; }
    void setOff() { on_ = false; }
    bool on() const { return on_; }

private:
    bool on_ = false;
};

// The correct-answer box's displays (正解表示 and ヒント, which exclude each
// other), the mask over the typed answer, and what flash advance holds back.
class AnswerDisplay {
public:
    enum class Shows { Nothing, ModelAnswer, Idiom };

    // Each press turns its display over and the other display off; the
    // answer is what the box shows from now on.
    Shows pressModelAnswer() { return press(Shows::ModelAnswer); }
    Shows pressIdiom() { return press(Shows::Idiom); }
    Shows shows() const { return shows_; }

    // The first press hides the typed answer and keeps it; the next one
    // turns the mask off and hands back what was kept. A move forgets the
    // kept text but leaves the mask on, so its next press brings back an
    // empty box. True while the mask is on.
    bool pressMask(std::string typed);
    bool masked() const { return masked_; }
    const std::string& maskedAnswer() const { return maskedAnswer_; }

    // Flash advance empties the box and brings back what it held: the model
    // answer of the question then in hand, or the text as it stood.
    void holdBack(std::string text, bool wasModelAnswer) {
        heldBack_ = std::move(text);
        heldBackIsModelAnswer_ = wasModelAnswer;
    }
    const std::string& heldBack() const { return heldBack_; }
    bool heldBackIsModelAnswer() const { return heldBackIsModelAnswer_; }

    // Moving to another question forgets the texts kept for this one.
    void forgetKeptTexts();

private:
    Shows press(Shows display) {
        shows_ = shows_ == display ? Shows::Nothing : display;
        return shows_;
    }
    Shows shows_ = Shows::Nothing;
    bool masked_ = false;
    std::string maskedAnswer_;
    std::string heldBack_;
    bool heldBackIsModelAnswer_ = false;
};

// Automatic advance moves on at every tick; flash advance hides the answer,
// shows it and moves on, one tick each. A stop keeps the flash phase, so a
// new start goes on where the last one stopped.
class Advance {
public:
    enum class Kind { Automatic, Flash };
    enum class FlashPhase { Waiting, AnswerHidden, AnswerShown };
    // What one tick asks of the window.
    enum class Step { Nothing, MoveOn, HideAnswer, ShowAnswer, FlashMoveOn };

    // A start button's press chooses its kind; true when its interval must
    // be asked, false when that kind already runs and nothing changes.
    bool press(Kind kind);
    // The interval was asked: a cancel undoes the choice, an interval starts
    // the ticks.
    void intervalAsked(Kind kind, bool cancelled);
    void stop();

    bool running() const { return running_; }
    std::optional<Kind> chosen() const { return chosen_; }
    FlashPhase flashPhase() const { return phase_; }
    Step tick();

private:
    bool& prepared(Kind kind) { return kind == Kind::Flash ? flashPrepared_ : autoPrepared_; }
    std::optional<Kind> chosen_;
    bool autoPrepared_ = false;
    bool flashPrepared_ = false;
    bool running_ = false;
    FlashPhase phase_ = FlashPhase::Waiting;
};

// Adding and changing a question take two presses of their button: the first
// opens the boxes for typing, the second stores what they hold. One edit is
// pending at a time; beginning one ends the other.
class TwoPressEdit {
public:
    enum class Kind { Add, Change };
    // True for the press that stores: the kind's second press.
    bool press(Kind kind);
    void end() { pending_.reset(); }
    std::optional<Kind> pending() const { return pending_; }

private:
    std::optional<Kind> pending_;
};

struct DrillModes {
    AnswerDisplay answer;
    Advance advance;
    TwoPressEdit edit;
    Switch flashCue;        // a cue at each flash move
    Switch showyTone;       // the block grade's showy tone
    Switch speedButtons;    // the speed buttons' cover folded away
    Switch exitPanel;       // the session-end group's cover folded away
    Switch showDifferences; // a wrong answer's differences marked
    Switch speakOnShow;     // the model answer spoken when shown
};

} // namespace sorami
