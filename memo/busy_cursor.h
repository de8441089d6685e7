#pragma once
// The busy cursor while a command works; the normal one again however it
// ends. Never held over a dialog: the learner chooses with the normal one.

#include <QGuiApplication>

namespace sorami {

class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace sorami
