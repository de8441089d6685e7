#include "marks_journal.h"

#include "program_paths.h"
#include "sorami_error.h"
#include "whole_file.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>
#include <cstdlib>
#include <unordered_map>

namespace sorami {

namespace {

constexpr std::string_view Magic = "sorami marks journal 1";

QByteArray recordLine(const MarkRecord& r) {
    return QByteArray(r.marked ? "+ " : "- ") + QByteArray::number(r.line) + ' ' +
           QByteArray::number(r.key, 16).rightJustified(8, '0') + '\n';
}

std::optional<MarkRecord> parseRecord(const QByteArray& line) {
    const QList<QByteArray> parts = line.split(' ');
    if (parts.size() != 3 || (parts[0] != "+" && parts[0] != "-")) return std::nullopt;
    bool lineOk = false, keyOk = false;
    MarkRecord r;
    r.marked = parts[0] == "+";
    r.line = parts[1].toInt(&lineOk);
    r.key = parts[2].toUInt(&keyOk, 16);
    if (!lineOk || !keyOk || r.line < 0 || parts[2].size() != 8) return std::nullopt;
    return r;
}

QString absolute(const QString& path) {
    return path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
}

} // namespace

std::uint32_t questionKey(std::string_view japanese, std::string_view answer) {
    // FNV-1a: a few bytes per question, and the same on every machine.
    std::uint32_t h = 2166136261u;
    const auto mix = [&h](std::string_view bytes) {
        for (const char c : bytes) {
            h ^= static_cast<unsigned char>(c);
            h *= 16777619u;
        }
    };
    mix(withoutMistakeMark(japanese));
    mix("\n");
    mix(answer);
    return h;
}

MarkRecord markRecordAt(const Lines& lines, int line) {
    return {line, isMarked(lineAt(lines, line)),
            questionKey(lineAt(lines, line), lineAt(lines, line + 1))};
}

QString marksJournalPath(const QString& questionPath) {
    const QByteArray hash =
        QCryptographicHash::hash(absolute(questionPath).toUtf8(), QCryptographicHash::Sha1);
    return writableFilePath(
        QStringLiteral("marks-%1.journal").arg(QString::fromLatin1(hash.toHex().left(16))),
        FileKind::Scores);
}

std::optional<MarksJournalContents> readMarksJournal(const QString& journalPath) {
    QFile f(journalPath);
    // A journal is a few bytes per answer; anything huge is not one.
    if (!QFileInfo(journalPath).isFile() || f.size() > 64 * 1024 * 1024 ||
        !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = f.readAll();
    QList<QByteArray> lines = bytes.split('\n');
    // What follows the last line break was being written when the program
    // died.
    lines.removeLast();
    if (lines.size() < 2 || lines[0] != QByteArray(Magic.data(), qsizetype(Magic.size())))
        return std::nullopt;
    MarksJournalContents contents;
    contents.questionPath = QString::fromUtf8(QByteArray::fromPercentEncoding(lines[1]));
    for (qsizetype i = 2; i < lines.size(); ++i)
        if (const auto r = parseRecord(lines[i])) contents.records.push_back(*r);
    return contents;
}

std::vector<MarkRecord> journalledMarks(const QString& questionPath) {
    auto journal = readMarksJournal(marksJournalPath(questionPath));
    if (!journal || journal->questionPath != absolute(questionPath)) return {};
    return std::move(journal->records);
}

int applyMarks(const std::vector<MarkRecord>& records, Lines& lines) {
    const int n = static_cast<int>(lines.size());
    const auto keyAt = [&](int at) {
        return questionKey(lineAt(lines, at), lineAt(lines, at + 1));
    };
    // Built only when a record misses its line: the marks did not move.
    std::unordered_map<std::uint32_t, std::vector<int>> byKey;
    bool indexed = false;
    int changed = 0;
    for (const MarkRecord& r : records) {
        int at = -1;
        if (r.line % 3 == 0 && r.line < n && keyAt(r.line) == r.key) {
            at = r.line;
        } else {
            if (!indexed) {
                for (int q = 0; q < n; q += 3)
                    byKey[keyAt(q)].push_back(q);
                indexed = true;
            }
            const auto found = byKey.find(r.key);
            if (found == byKey.end()) continue;
            at = *std::min_element(found->second.begin(), found->second.end(), [&](int a, int b) {
                return std::abs(a - r.line) < std::abs(b - r.line);
            });
        }
        const std::string_view first = lines[static_cast<size_t>(at)];
        if (r.marked == isMarked(first)) continue;
        lines.set(static_cast<size_t>(at),
                  r.marked ? withMistakeMark(first) : std::string(withoutMistakeMark(first)));
        ++changed;
    }
    return changed;
}

void MarksJournal::start(const QString& questionPath, std::vector<MarkRecord> carried) {
    file_.close();
    if (!journalPath_.isEmpty()) QFile::remove(journalPath_);
    questionPath_ = absolute(questionPath);
    journalPath_ = questionPath_.isEmpty() ? QString() : marksJournalPath(questionPath_);
    records_ = std::move(carried);
    if (!records_.empty()) open();
}

void MarksJournal::keepOnDisk() {
    file_.close();
    questionPath_.clear();
    journalPath_.clear();
    records_.clear();
}

bool MarksJournal::open() {
    QByteArray bytes = QByteArray(Magic.data(), qsizetype(Magic.size())) + '\n' +
                       questionPath_.toUtf8().toPercentEncoding("/") + '\n';
    for (const MarkRecord& r : records_)
        bytes += recordLine(r);
    try {
        writeWholeFile(journalPath_, std::string_view(bytes.constData(), size_t(bytes.size())),
                       {journalPath_, {}});
    } catch (const SoramiError&) {
        return false;
    }
    file_.setFileName(journalPath_);
    return file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
}

bool MarksJournal::record(const MarkRecord& r) {
    if (journalPath_.isEmpty()) return false;
    records_.push_back(r);
    if (!file_.isOpen()) return open();
    // Unbuffered: one write to the system, which keeps it whatever becomes
    // of the program.
    const QByteArray line = recordLine(r);
    return file_.write(line) == line.size();
}

} // namespace sorami
