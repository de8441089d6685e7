#include "clock_text.h"

namespace sorami {

QString dateDispText(const QDate& date) {
    static const QString days[] = {QStringLiteral("月"), QStringLiteral("火"), QStringLiteral("水"),
                                   QStringLiteral("木"), QStringLiteral("金"), QStringLiteral("土"),
                                   QStringLiteral("日")};
    if (!date.isValid()) return QString();
    return QStringLiteral("%1年%2月%3日(%4)")
        .arg(((date.year() % 100) + 100) % 100, 2, 10, QLatin1Char('0'))
        .arg(date.month())
        .arg(date.day())
        .arg(days[date.dayOfWeek() - 1]);
}

QString clockDispText(const QTime& time) {
    return QStringLiteral("%1時%2分%3秒")
        .arg(time.hour(), 2, 10, QLatin1Char('0'))
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.second(), 2, 10, QLatin1Char('0'));
}

} // namespace sorami
