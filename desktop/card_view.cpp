#include "card_view.h"

#include "sorami_error.h"

namespace sorami {

bool openCardFile(Platform& platform, QWidget* parent, FileDialogState& dialog, CardList& cards,
                  const QString& picked) {
    for (bool fromDialog = picked.isEmpty();; fromDialog = true) {
        if (fromDialog) {
            dialog.fileName = cards.fileName;
            if (!platform.openFile(parent, dialog)) return false;
        } else {
            pickInDialog(dialog, picked);
        }
        const QString path = dialog.fileName;
        try {
            cards.lines = readQuestionFile(path);
        } catch (const SoramiError& e) {
            if (platform.messageBox(parent, e.text(), MsgIcon::Error, MsgButtons::RetryCancel) ==
                MsgResult::Retry)
                continue;
            return false;
        }
        cards.fileName = path;
        cards.line = 0;
        return true;
    }
}

} // namespace sorami
