#pragma once
// The drill window's score commands up to the file work: confirmations and
// refusals through the platform, records through the score file.

#include "platform.h"
#include "score_file.h"

#include <QString>
#include <string_view>

class QWidget;

namespace sorami {

// ---- Steps of the drill window's score commands -------------------------
// Each asks its confirmation through the platform and does the file work;
// what they return tells the window whether to go on with its own steps.

// The score report up to its record: a report before any answer is refused
// with a message, a declined confirmation writes nothing. True when the
// record was written; the window then shows the score table and resets the
// live score.
bool writeScoreReport(Platform& platform, QWidget* parent, const QString& problemFileName,
                      int answers, int correct, std::string_view learner);

// Erasing the scores after a confirmation; true when the file was started
// anew.
bool eraseScores(Platform& platform, QWidget* parent);

// The confirmation of the question reset; true on OK.
bool confirmProblemReset(Platform& platform, QWidget* parent);

} // namespace sorami
