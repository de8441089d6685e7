#pragma once
// The texts of the window's date and clock displays. The day of the week is
// always the Japanese kanji, whatever the system's locale.

#include <QDate>
#include <QString>
#include <QTime>

namespace sorami {

// "97年5月3日(土)": two-digit year, month and day without leading zeros.
QString dateDispText(const QDate& date);

// "09時05分07秒": hours 00 to 23, minutes and seconds in two digits.
QString clockDispText(const QTime& time);

} // namespace sorami
