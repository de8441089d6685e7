#include "colour_qt.h"
#include "fonts.h"
#include "platform.h"
#include "program_paths.h"
#include "session_end.h"

#include <QApplication>
#include <QFontInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace sorami;

Q_DECLARE_METATYPE(sorami::SessionEnd)
Q_DECLARE_METATYPE(sorami::SessionEndResult)
Q_DECLARE_METATYPE(sorami::NameFilter)

class TestPlatformSupport : public QObject {
    Q_OBJECT
private slots:
    void colourValues_data();
    void colourValues();
    void systemColoursFollowThePalette();
    void iniPaths_data();
    void iniPaths();
    void programDirIsTheExecutablesDir();
    void nameFilters_data();
    void nameFilters();
    void sessionEndRequests_data();
    void sessionEndRequests();
    void japaneseFacesAreSubstituted_data();
    void japaneseFacesAreSubstituted();
    void fontHeights();
};

void TestPlatformSupport::colourValues_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("255 is pure red") << 255 << QColor(255, 0, 0);
    QTest::newRow("navy") << 0x800000 << QColor(0, 0, 128);
    QTest::newRow("maroon") << 0x000080 << QColor(128, 0, 0);
    QTest::newRow("mixed") << 0x123456 << QColor(0x56, 0x34, 0x12);
    QTest::newRow("black") << 0 << QColor(0, 0, 0);
}

void TestPlatformSupport::colourValues() {
    QFETCH(int, value);
    QFETCH(QColor, colour);
    QCOMPARE(toQColor(value), colour);
    QCOMPARE(fromQColor(colour), value);
}

void TestPlatformSupport::systemColoursFollowThePalette() {
    QPalette p;
    p.setColor(QPalette::Active, QPalette::Text, QColor(1, 2, 3));
    p.setColor(QPalette::Active, QPalette::Button, QColor(4, 5, 6));
    p.setColor(QPalette::Active, QPalette::Base, QColor(7, 8, 9));
    QCOMPARE(toQColor(SysColour::WindowText, p), QColor(1, 2, 3));
    QCOMPARE(toQColor(SysColour::BtnFace, p), QColor(4, 5, 6));
    QCOMPARE(toQColor(SysColour::Window, p), QColor(7, 8, 9));
    // The window-text colour read back from an INI is a negative number.
    QVERIFY(SysColour::WindowText < 0);
    QVERIFY(isSystemColour(SysColour::WindowText));
    QVERIFY(!isSystemColour(0xFFFFFF));
}

void TestPlatformSupport::iniPaths_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("ini");
    QTest::newRow("no extension") << "/opt/lko/Srmmini32"
                                  << "/opt/lko/Srmmini32.ini";
    QTest::newRow("extension replaced") << "/opt/lko/Sorami105.exe"
                                        << "/opt/lko/Sorami105.ini";
    QTest::newRow("last dot only") << "/a.b/prog.v1.bin"
                                   << "/a.b/prog.v1.ini";
    QTest::newRow("dot in directory only") << "/a.b/prog"
                                           << "/a.b/prog.ini";
    QTest::newRow("bare name") << "Srmmini32"
                               << "Srmmini32.ini";
    QTest::newRow("leading dot is no extension") << "/x/.hidden"
                                                 << "/x/.hidden.ini";
}

void TestPlatformSupport::iniPaths() {
    QFETCH(QString, program);
    QFETCH(QString, ini);
    QCOMPARE(iniPathFor(program), ini);
}

void TestPlatformSupport::programDirIsTheExecutablesDir() {
    QCOMPARE(programDir(), QCoreApplication::applicationDirPath());
    QCOMPARE(programIniPath(), QCoreApplication::applicationFilePath() + QStringLiteral(".ini"));
    // A folder of the program's own, where its files stay beside it.
    QTemporaryDir elsewhere;
    setProgramDirForTesting(elsewhere.path());
    QCOMPARE(besideProgram(QStringLiteral("成績.dat")),
             elsewhere.filePath(QStringLiteral("成績.dat")));
    QVERIFY(programIniPath().startsWith(elsewhere.path() + QLatin1Char('/')));
    setProgramDirForTesting({});
}

void TestPlatformSupport::nameFilters_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QList<NameFilter>>("expected");
    QTest::newRow("labels that show their pattern")
        << "ソラミ君データ(*.lko)|*.lko|すべてのﾌｧｲﾙ(*.*)|*.*"
        << QList<NameFilter>{{"ソラミ君データ(*.lko)", {"*.lko"}}, {"すべてのﾌｧｲﾙ(*.*)", {"*.*"}}};
    QTest::newRow("label kept as given")
        << "ソラミ君データ（*.lko)|*.lko"
        << QList<NameFilter>{{"ソラミ君データ（*.lko)", {"*.lko"}}};
    QTest::newRow("label without pattern")
        << "Rich text|*.rtf;*.mem" << QList<NameFilter>{{"Rich text", {"*.rtf", "*.mem"}}};
    QTest::newRow("odd trailing label ignored")
        << "A(*.a)|*.a|B" << QList<NameFilter>{{"A(*.a)", {"*.a"}}};
}

void TestPlatformSupport::nameFilters() {
    QFETCH(QString, filter);
    QFETCH(QList<NameFilter>, expected);
    QCOMPARE(parseFilterList(filter), expected);
}

namespace {

// The two buses, recorded: which names are running on the session bus, which
// services turn a call down, and every call made, as "bus service path
// interface.method(type value, ...)".
class RecordingBuses : public SessionBuses {
public:
    QStringList running, refusing;
    QStringList calls;
    bool sessionNameHasOwner(const QString& name) override { return running.contains(name); }
    bool callSession(const BusCall& c) override { return record(QStringLiteral("session"), c); }
    bool callSystem(const BusCall& c) override { return record(QStringLiteral("system"), c); }
    QString ownSessionId() override { return QStringLiteral("c7"); }

private:
    bool record(const QString& bus, const BusCall& c) {
        QStringList args;
        for (const QVariant& a : c.args)
            args << QStringLiteral("%1 %2").arg(QString::fromLatin1(a.typeName()), a.toString());
        calls << QStringLiteral("%1 %2 %3 %4.%5(%6)")
                     .arg(bus, c.service, c.path, c.interface, c.method, args.join(u','));
        return !refusing.contains(c.service);
    }
};

} // namespace

void TestPlatformSupport::sessionEndRequests_data() {
    QTest::addColumn<SessionEnd>("how");
    QTest::addColumn<QString>("running"); // bus names with an owner; refused calls end in "!"
    QTest::addColumn<QString>("calls");
    QTest::addColumn<SessionEndResult>("result");
    using E = SessionEnd;
    using R = SessionEndResult;
    const QString logind = "system org.freedesktop.login1 /org/freedesktop/login1 "
                           "org.freedesktop.login1.Manager.";
    const QString gnome = "session org.gnome.SessionManager /org/gnome/SessionManager "
                          "org.gnome.SessionManager.Logout(uint 0)";
    const auto row = [](const char* name, E how, const char* running, const QString& calls, R r) {
        QTest::newRow(name) << how << QString::fromLatin1(running) << calls << r;
    };
    row("forced log-off", E::ForcedLogOff, "org.gnome.SessionManager",
        logind + "TerminateSession(QString c7)", R::Requested);
    row("log-off, GNOME", E::LogOff, "org.xfce.SessionManager org.gnome.SessionManager", gnome,
        R::Requested);
    row("log-off, Plasma", E::LogOff, "org.kde.ksmserver org.kde.Shutdown",
        "session org.kde.Shutdown /Shutdown org.kde.Shutdown.logout()", R::Requested);
    row("log-off, older KDE", E::LogOff, "org.kde.ksmserver",
        "session org.kde.ksmserver /KSMServer org.kde.KSMServerInterface.logout(int 0,int 0,int 0)",
        R::Requested);
    row("log-off, Xfce", E::LogOff, "org.xfce.SessionManager",
        "session org.xfce.SessionManager /org/xfce/SessionManager "
        "org.xfce.Session.Manager.Logout(bool false,bool true)",
        R::Requested);
    // Nothing is forced where no session manager answers.
    row("log-off, none running", E::LogOff, "", "", R::NoSessionManager);
    row("log-off, no answer", E::LogOff, "org.gnome.SessionManager!", gnome, R::NoSessionManager);
    row("power off", E::PowerOff, "", logind + "PowerOff(bool true)", R::Requested);
    row("restart", E::Reboot, "", logind + "Reboot(bool true)", R::Requested);
    row("halt", E::Halt, "", logind + "Halt(bool true)", R::Requested);
    row("power off refused", E::PowerOff, "org.freedesktop.login1!", logind + "PowerOff(bool true)",
        R::Refused);
}

void TestPlatformSupport::sessionEndRequests() {
    QFETCH(SessionEnd, how);
    QFETCH(QString, running);
    QFETCH(QString, calls);
    QFETCH(SessionEndResult, result);
    RecordingBuses buses;
    for (const QString& name : running.split(u' ', Qt::SkipEmptyParts)) {
        buses.running << QString(name).remove(u'!');
        if (name.endsWith(u'!')) buses.refusing << QString(name).remove(u'!');
    }
    QCOMPARE(requestSessionEnd(how, buses), result);
    QCOMPARE(buses.calls.join(u';'), calls);
}

void TestPlatformSupport::japaneseFacesAreSubstituted_data() {
    QTest::addColumn<QString>("face");
    QTest::newRow("System") << "System";
    QTest::newRow("MS Gothic") << "ＭＳ ゴシック";
    QTest::newRow("MS PGothic") << "ＭＳ Ｐゴシック";
}

void TestPlatformSupport::japaneseFacesAreSubstituted() {
    QFETCH(QString, face);
    installFontSubstitutions();
    QFont f(face);
    f.setPixelSize(16);
    const QFontMetrics m(f);
    // The face really drawn must hold kana and kanji.
    QVERIFY2(m.inFont(QChar(u'あ')) && m.inFont(QChar(u'和')), qPrintable(QFontInfo(f).family()));
    QVERIFY(QFontInfo(f).family().contains(QStringLiteral("CJK")));
}

void TestPlatformSupport::fontHeights() {
    FontSpec s;
    s.height = -13;
    QCOMPARE(toQFont(s).pixelSize(), 13);
    s.height = 0;
    s.size = 12;
    s.bold = true;
    s.underline = true;
    const QFont f = toQFont(s);
    QCOMPARE(f.pointSize(), 12);
    QVERIFY(f.bold() && f.underline() && !f.italic());
    const FontSpec back = fromQFont(f, 0xFF);
    QCOMPARE(back.size, 12);
    QCOMPARE(back.colour, 0xFF);
    QVERIFY(back.bold && back.underline);
}

QTEST_MAIN(TestPlatformSupport)
#include "test_platform_support.moc"
