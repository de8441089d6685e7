#include "platform.h"

#include <QDir>
#include <QFileInfo>

namespace sorami {

void pickInDialog(FileDialogState& state, const QString& path) {
    state.fileName = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    state.initialDir = QFileInfo(state.fileName).absolutePath();
}

QList<NameFilter> parseFilterList(const QString& filter) {
    QList<NameFilter> out;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        out.append({parts[i], parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)});
    return out;
}

} // namespace sorami
