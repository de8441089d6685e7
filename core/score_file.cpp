#include "score_file.h"

#include "cue_names.h"
#include "program_paths.h"
#include "sjis_text.h"
#include "sorami_error.h"
#include "whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorami {

namespace {

const char* const LineEnd = "\r\n";

QString shownPath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Something other than a plain file under the score file's name (a folder,
// a pipe, a device) is refused before opening: a pipe would hold the drill
// until someone read it, and a device could feed the table without end.
bool notAPlainFile(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isFile();
}

} // namespace

std::string rightAligned(std::string_view value, int width) {
    std::string out;
    if (static_cast<int>(value.size()) < width)
        out.assign(static_cast<size_t>(width) - value.size(), ' ');
    out.append(value);
    return out;
}

std::string scoreDateTime(const QDateTime& moment) {
    const QDate d = moment.date();
    const QTime t = moment.time();
    const int yy = ((d.year() % 100) + 100) % 100;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%02d %02d:%02d:%02d", yy, d.month(), d.day(),
                  t.hour(), t.minute(), t.second());
    return buf;
}

std::string fileNamePart(const QString& problemFileName) {
    if (problemFileName.isEmpty()) return {};
    return toSjis(QFileInfo(problemFileName).fileName());
}

std::string scoreHeader() {
    const std::string equals(71, '=');
    const std::string dashes(71, '-');
    std::string out;
    for (const std::string& line :
         {equals, sjis("                   「ガンバレソラミ君」成績表"), equals, std::string(),
          dashes, sjis("出題ﾌｧｲﾙ名   | 日  付  | 時  刻 | 出題数 | 正解数 | 判  定  | 名  前"),
          dashes}) {
        out += line;
        out += LineEnd;
    }
    return out;
}

int ratingOf(int correct, int outOf) {
    if (outOf <= 0) return 0;
    const long long r = static_cast<long long>(correct) * 10 / outOf;
    return static_cast<int>(std::clamp<long long>(r, 0, 10));
}

std::string ratingWord(int rating) {
    // Index R; each word fills 8 bytes, blanks included.
    static const std::array<const char*, 11> words = {
        "あせるな", "ﾓｯﾄ光を!", "希望ｽﾃﾙﾅ", "めげるな", "頑張ﾛｳ! ", "奮起!   ",
        "合格ｽﾚｽﾚ", "素敵    ", "素晴ﾗｼｲ!", "素晴ﾗｼｲ!", "完璧!   "};
    return sjis(words[static_cast<size_t>(std::clamp(rating, 0, 10))]);
}

std::string gradeWord(int gradeCode) {
    switch (gradeCode) {
    case 1:
        return sjis("優合格");
    case 2:
        return sjis("良合格");
    case 3:
        return sjis("可合格");
    case 4:
        return sjis("不合格");
    default:
        return {};
    }
}

BlockGrade blockGrade(int correct, int size) {
    BlockGrade b;
    b.grade = ratingOf(correct, size);
    if (b.grade == 10) {
        b.code = 1;
        b.cue = cue::Yatta;
    } else if (b.grade >= 8) {
        b.code = 2;
        b.cue = cue::Sutekiyo;
    } else if (b.grade >= 6) {
        b.code = 3;
        b.cue = cue::Goukaku;
    } else {
        b.code = 4;
        b.cue = cue::Fugoukak;
    }
    b.word = gradeWord(b.code);
    return b;
}

std::vector<std::string> reportRecordFields(const QString& problemFileName, const QDateTime& moment,
                                            int answers, int correct, std::string_view learner) {
    return {rightAligned(fileNamePart(problemFileName), score::FileNameWidth),
            rightAligned(scoreDateTime(moment), score::MomentWidth),
            rightAligned(std::to_string(answers), score::CountWidth),
            rightAligned(std::to_string(correct), score::CorrectWidth),
            rightAligned(ratingWord(ratingOf(correct, answers)), score::WordWidth),
            rightAligned(learner, score::LearnerWidth),
            LineEnd};
}

std::vector<std::string> blockRecordStartFields(const QString& problemFileName) {
    return {rightAligned(fileNamePart(problemFileName), score::FileNameWidth)};
}

std::vector<std::string> blockRecordSavedFields(const QDateTime& moment, std::string_view questions,
                                                std::string_view correct, int gradeCode) {
    return {rightAligned(scoreDateTime(moment), score::MomentWidth),
            rightAligned(questions, score::CountWidth), rightAligned(correct, score::CorrectWidth),
            rightAligned(gradeWord(gradeCode), score::WordWidth), LineEnd};
}

std::vector<std::string> blockRecordDeclinedFields(const QDateTime& moment) {
    return {rightAligned(scoreDateTime(moment), score::MomentWidth), "  *** Cancel ***", LineEnd};
}

std::vector<std::string> blockRecordUnsavedFields() {
    return {"   " + std::string(41, '*'), LineEnd};
}

ScoreFile::ScoreFile() : path_(scoreFilePath(ScoreFileName)) {}
ScoreFile::ScoreFile(QString path) : path_(std::move(path)) {}

void ScoreFile::raiseCannotOpen() const {
    const QFileInfo info(path_);
    if (!info.exists() && !info.isSymLink())
        raise(fillTemplate(QStringLiteral("ﾌｧｲﾙ %s は開けません\r\n"
                                          "成績ファイルがありません。"
                                          "「成績の結果を消去する」で作成してください。"),
                           shownPath(path_)));
    raise(fillTemplate(QStringLiteral("ﾌｧｲﾙ %s は開けません"), shownPath(path_)));
}

void ScoreFile::erase() const {
    // Starting the scores anew is a whole-file rewrite: a failure half way
    // leaves the old scores rather than a torn header. A writable file in a
    // folder we may not add to is still emptied in place, as the learner asked.
    const QString cannotCreate =
        fillTemplate(QStringLiteral("ﾌｧｲﾙ %s を作成できません"), shownPath(path_));
    if (notAPlainFile(path_)) raise(cannotCreate);
    writeWholeFile(path_, scoreHeader(), {cannotCreate, {}}, DirectWrite::WhenFolderIsReadOnly);
}

namespace {

// Why a write failed, in the learner's words: a full disk (or a size limit,
// which leaves the same remedy) is told apart from a file that cannot be
// written at all.
QString writeFailure(const QString& path, int error) {
    QString why;
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        why = QStringLiteral("ディスクがいっぱいです。");
        break;
    case EROFS:
        why = QStringLiteral("読み取り専用のディスクです。");
        break;
    default:
        why = QString::fromLocal8Bit(std::strerror(error));
        break;
    }
    return fillTemplate(QStringLiteral("ﾌｧｲﾙ %s に書き込めません\r\n"), shownPath(path)) + why +
           QStringLiteral("\r\nこの成績は記録されていません。");
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Whether the file ends inside a line: a block record whose end never came
// (the program died, or the disk was full when the dialog tried to end it).
bool endsMidLine(int fd, off_t size) {
    char last = '\n';
    return size > 0 && ::pread(fd, &last, 1, size - 1) == 1 && last != '\n';
}

} // namespace

void ScoreFile::append(const std::vector<std::string>& fields, Start start) const {
    if (notAPlainFile(path_)) raiseCannotOpen();
    const QByteArray name = QFile::encodeName(path_);
    // Read access only to look at the last byte; a file we may only write
    // to is appended to all the same.
    int fd = ::open(name.constData(), O_RDWR | O_APPEND | O_CLOEXEC);
    if (fd < 0 && errno == EACCES) fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0) raiseCannotOpen();
    struct stat info {};
    const off_t oldSize = ::fstat(fd, &info) == 0 ? info.st_size : -1;
    // A record cut short is worse than none: it merges with the next line
    // into one that reads as neither. So a failed append is taken back to
    // the length the file had, and a new record never continues a line
    // left open.
    const auto fail = [&](int error) {
        // Should even the truncation fail, the message below still stands.
        if (oldSize >= 0 && ::ftruncate(fd, oldSize) != 0) {
        }
        ::close(fd);
        raise(writeFailure(path_, error));
    };
    if (start == Start::NewLine && oldSize >= 0 && endsMidLine(fd, oldSize) &&
        !writeAll(fd, LineEnd))
        fail(errno);
    // Each field goes out with its own write, so a record half written when
    // the program dies is still there up to the field it reached.
    for (const std::string& field : fields)
        if (!writeAll(fd, field)) fail(errno);
    if (::close(fd) != 0 && errno != EINTR) {
        const int error = errno;
        if (oldSize >= 0 && ::truncate(name.constData(), oldSize) != 0) {
        }
        raise(writeFailure(path_, error));
    }
}

Lines ScoreFile::readLines() const {
    QFile f(path_);
    if (notAPlainFile(path_) || !f.open(QIODevice::ReadOnly)) raiseCannotOpen();
    QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError) raise(f.errorString());
    // A stray NUL must not hide the lines after it from the table.
    data.replace('\0', ' ');
    return splitLines(std::string_view(data.constData(), static_cast<size_t>(data.size())));
}

} // namespace sorami
