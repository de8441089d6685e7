#pragma once
// A log-off or power-off reaches a Linux program as SIGTERM or SIGHUP, or as
// the session manager's request to save, never as a click on the close box;
// in a terminal, Ctrl+C (SIGINT) and Ctrl+\ (SIGQUIT) end it as well.
// Each of them closes the window the way its close box does, so whatever the
// window saves on closing is saved, and then the program ends.

class QWidget;

namespace sorami {

// Call once, after the QApplication exists. The signal handler only writes a
// byte into a pipe; the closing runs later, from the event loop.
void closeOnSessionEnd(QWidget* window);

} // namespace sorami
