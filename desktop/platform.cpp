#include "platform.h"

namespace sorami {

QStringList qtNameFilters(const QString& filter) {
    QStringList out;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& label = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt takes the patterns from the last parentheses of a filter; a label
        // like "ソラミ君データ(*.lko)" already ends with them. A full-width
        // opening parenthesis does not count for Qt, so such a label gets
        // the patterns appended like any other.
        if (label.trimmed().endsWith(QLatin1Char('(') + patterns + QLatin1Char(')')))
            out << label;
        else
            out << QStringLiteral("%1 (%2)").arg(label, patterns);
    }
    return out;
}

} // namespace sorami
