#pragma once
// A drill window on the scripted desktop, with its own program directory.
#include "fake_platform.h"
#include "profile_ini.h"
#include "program_paths.h"
#include "sjis_text.h"
#include "srmi105.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <set>

namespace drilltest {

using sorami::FakePlatform;
using sorami::TSorami;

inline void writeBytes(const QString& path, const std::string& bytes) {
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

inline std::string readBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    const QByteArray b = f.readAll();
    return std::string(b.constData(), static_cast<size_t>(b.size()));
}

// A question file of `count` questions in CP932 with CR LF. Question k has
// the Japanese line "問題k", the model answer "Answer k." and the idiom line
// "idiom k"; the questions in `marked` carry the mistake mark.
inline std::string questionFile(int count, const std::set<int>& marked = {}) {
    std::string out;
    for (int k = 1; k <= count; ++k) {
        if (marked.count(k)) out += "? ";
        out += sorami::sjis("問題") + std::to_string(k) + "\r\n";
        out += "Answer " + std::to_string(k) + ".\r\n";
        out += "idiom " + std::to_string(k) + "\r\n";
    }
    return out;
}

// A time of day whose draw over n lines gives r.
inline int seedFor(int r, int n) {
    for (int seed = 0; seed < 1000000; ++seed)
        if (sorami::seededDraw(seed, n) == r) return seed;
    qFatal("no seed draws %d of %d", r, n);
}

inline QString u(std::string_view bytes) {
    return sorami::fromSjis(bytes);
}

struct Drill {
    QTemporaryDir dir;
    FakePlatform fake;
    std::unique_ptr<TSorami> w;

    // `name` answers the name box; nullopt cancels it.
    explicit Drill(std::optional<QString> name = QStringLiteral("tester")) {
        sorami::setProgramDirForTesting(dir.path());
        fake.inputAnswers.push_back(name);
        w = std::make_unique<TSorami>(fake);
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString iniPath() const { return path(QStringLiteral("ソラミ君.ini")); }
    QString file(const QString& name, const std::string& bytes) const {
        writeBytes(path(name), bytes);
        return path(name);
    }
    // Opens a file through the open command, as the learner does.
    void open(const QString& filePath) {
        fake.fileAnswers.push_back(filePath);
        w->FileOpn->trigger(); // through the error guard, as a click runs it
    }
    // Loads a standard file of `count` questions.
    QString openQuestions(int count, const std::set<int>& marked = {},
                          const QString& name = QStringLiteral("q.lko")) {
        const QString p = file(name, questionFile(count, marked));
        open(p);
        return p;
    }
    QString wabun() const { return w->WabunDisp->toPlainText(); }
    QString seikai() const { return w->SeikaiDisp->toPlainText(); }
    QString message() const { return w->CorrectMsg->toPlainText(); }
    int number() const { return w->N_Mondai->text().toInt(); }
    std::string iniString(const QString& section, const QString& key) const {
        return sorami::ProfileIni(iniPath()).readString(section, key, "<none>");
    }
    int iniInteger(const QString& section, const QString& key) const {
        return sorami::ProfileIni(iniPath()).readInteger(section, key, -999);
    }
    // Answers the current question by typing `text` and pressing the button.
    void answer(const QString& text) {
        w->KaitouDisp->setPlainText(text);
        w->KaitouSakuseiClick();
    }
};

} // namespace drilltest
