#pragma once
// Opening a question file into a companion window's card list.

#include "card_list.h"
#include "platform.h"

class QWidget;

namespace sorami {

// Shows the open dialog and reads the chosen file into `cards`, starting at
// its first card. A file that cannot be read is reported in a Retry/Cancel
// box; Retry opens the dialog again. False when the learner gave up; the
// card list is then unchanged.
bool openCardFile(Platform& platform, QWidget* parent, FileDialogState& dialog, CardList& cards);

} // namespace sorami
