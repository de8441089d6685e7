#pragma once
// A dark desktop theme, as a dark Plasma or GNOME theme hands it to Qt: light
// text on dark faces and boxes. Tests and window pictures use it to see the
// windows as a learner with a dark theme does.

#include <QPalette>

namespace sorami {

QPalette darkDesktopPalette();

} // namespace sorami
