#pragma once
// The one exception type of the programs. A failure that the user should see
// in the standard error box is thrown as SoramiError and caught by the guard
// around every handler (see error_guard.h); the state reached so far stays.

#include <QString>
#include <stdexcept>

namespace sorami {

class SoramiError : public std::runtime_error {
public:
    explicit SoramiError(const QString& text)
        : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const noexcept { return text_; }

private:
    QString text_;
};

// Fills the single %s of a message template with an argument, the way the
// programs' message texts are written ("ﾌｧｲﾙ %s は開けません").
inline QString fillTemplate(const QString& templ, const QString& arg) {
    QString out = templ;
    const auto at = out.indexOf(QLatin1String("%s"));
    if (at >= 0) out.replace(at, 2, arg);
    return out;
}

[[noreturn]] inline void raise(const QString& text) {
    throw SoramiError(text);
}

} // namespace sorami
