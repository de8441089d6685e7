#include "drill_modes.h"

namespace sorami {

bool AnswerDisplay::pressMask(std::string typed) {
    masked_ = !masked_;
    if (masked_) maskedAnswer_ = std::move(typed);
    return masked_;
}

void AnswerDisplay::forgetKeptTexts() {
    maskedAnswer_.clear();
    heldBack_.clear();
    heldBackIsModelAnswer_ = false;
}

bool Advance::press(Kind kind) {
    chosen_ = kind;
    return !prepared(kind);
}

void Advance::intervalAsked(Kind kind, bool cancelled) {
    if (cancelled) {
        prepared(kind) = false;
        chosen_.reset();
        return;
    }
    prepared(kind) = true;
    running_ = true;
}

void Advance::stop() {
    running_ = false;
    autoPrepared_ = false;
    flashPrepared_ = false;
    chosen_.reset();
}

Advance::Step Advance::tick() {
    if (!running_ || !chosen_) return Step::Nothing;
    if (*chosen_ == Kind::Automatic) return Step::MoveOn;
    switch (phase_) {
    case FlashPhase::Waiting:
        phase_ = FlashPhase::AnswerHidden;
        return Step::HideAnswer;
    case FlashPhase::AnswerHidden:
        phase_ = FlashPhase::AnswerShown;
        return Step::ShowAnswer;
    case FlashPhase::AnswerShown:
        phase_ = FlashPhase::Waiting;
        return Step::FlashMoveOn;
    }
    return Step::Nothing;
}

bool TwoPressEdit::press(Kind kind) {
    if (pending_ == kind) {
        pending_.reset();
        return true;
    }
    pending_ = kind;
    return false;
}

} // namespace sorami
