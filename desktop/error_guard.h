#pragma once
// Errors end the handler, never the program. Every entry point that the
// event loop calls (signal connections, timer ticks, events) runs through
// guarded(): a SoramiError, or any other exception, shows its text in the
// standard error box and the handler ends there, with the state it reached.
// Handlers themselves may throw freely and call one another directly.

#include "platform.h"

#include <QObject>
#include <QWidget>
#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

namespace sorami {

// Shows the text of the exception in flight in the standard error box.
void reportCurrentException(Platform& platform, QWidget* parent);

template <typename F> void guarded(Platform& platform, QWidget* parent, F&& f) noexcept {
    try {
        std::forward<F>(f)();
    } catch (...) {
        reportCurrentException(platform, parent);
    }
}

// connect() whose slot runs inside the guard. The receiver is also the
// context object, so the connection ends with it.
template <typename Sender, typename Signal, typename Receiver, typename Slot>
QMetaObject::Connection connectGuarded(Platform& platform, Sender* sender, Signal signal,
                                       Receiver* receiver, Slot slot) {
    QWidget* parent = qobject_cast<QWidget*>(receiver);
    return QObject::connect(
        sender, signal, receiver, [&platform, parent, receiver, slot](auto&&... args) {
            guarded(platform, parent, [&] {
                if constexpr (std::is_member_function_pointer_v<Slot>) {
                    if constexpr (std::is_invocable_v<Slot, Receiver*, decltype(args)...>)
                        std::invoke(slot, receiver, args...);
                    else
                        std::invoke(slot, receiver);
                } else {
                    if constexpr (std::is_invocable_v<Slot, decltype(args)...>)
                        slot(args...);
                    else
                        slot();
                }
            });
        });
}

} // namespace sorami
