#pragma once
// A log-off or power-off reaches a Linux program as SIGTERM or SIGHUP, or as
// the session manager's request to save, never as a click on the close box;
// in a terminal, Ctrl+C (SIGINT) and Ctrl+\ (SIGQUIT) end it as well.
// Each of them closes the open dialogs and the window the way their close
// boxes do, without a question (sessionEnding()), so whatever the window
// saves on closing is saved, and then the program ends at once.

class QWidget;

namespace sorami {

// True from the moment the session's end reached the program: nobody is
// there to answer a box any more, so the close paths ask nothing, write
// what they can where it belongs and keep the rest as a recovery copy.
bool sessionEnding();
// Marks the session's end; the signal route calls it before closing.
void beginSessionEnd(bool ending = true);

// Call once, after the QApplication exists. The signal handler only writes a
// byte into a pipe; the closing runs later, from the event loop.
void closeOnSessionEnd(QWidget* window);

} // namespace sorami
