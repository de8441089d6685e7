#include "file_size_limit.h"
#include "profile_ini.h"
#include "resume_record.h"
#include "sjis_text.h"
#include "sorami_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using sorami::ProfileIni;

namespace {

QByteArray sj(const char* utf8) {
    return QByteArray::fromStdString(sorami::sjis(utf8));
}
QByteArray bytes(const std::string& s) {
    return QByteArray::fromStdString(s);
}
// A literal with NUL bytes in it, whole.
template <size_t N> QByteArray raw(const char (&s)[N]) {
    return QByteArray(s, N - 1);
}

const char* const Default = "dflt";

} // namespace

class TestProfileIni : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString path_;

    void putFile(const QByteArray& content) {
        QFile f(path_);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(content), content.size());
    }
    QByteArray fileBytes(const QString& path) const {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList filesInDir() const {
        return QDir(dir_->path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        path_ = dir_->filePath(QStringLiteral("ソラミ君.ini"));
    }

    void readString_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray def(Default);

        QTest::newRow("plain") << QByteArray("[s]\r\nk=v\r\n") << "s"
                               << "k" << QByteArray("v");
        QTest::newRow("names ignore ASCII case")
            << QByteArray("[Section1]\r\nName1=val1\r\n") << "sECTION1"
            << "nAME1" << QByteArray("val1");
        QTest::newRow("blanks around key, = and value")
            << QByteArray("[s]\r\n  k  =  one two  \r\n") << "s"
            << "k" << QByteArray("one two");
        QTest::newRow("tabs count as blanks") << QByteArray("[s]\r\n\tk\t=\tv\t\r\n") << "s"
                                              << "k" << QByteArray("v");
        QTest::newRow("blanks inside brackets") << QByteArray("  [ s ]  \r\nk=v") << "s"
                                                << "k" << QByteArray("v");
        QTest::newRow("text after ] ignored") << QByteArray("[s] ; the s section\r\nk=v\r\n") << "s"
                                              << "k" << QByteArray("v");
        QTest::newRow("LF line ends") << QByteArray("[s]\nj=1\nk=v\n") << "s"
                                      << "k" << QByteArray("v");
        QTest::newRow("CR line ends") << QByteArray("[s]\rj=1\rk=v\r") << "s"
                                      << "k" << QByteArray("v");
        QTest::newRow("comment line skipped") << QByteArray("[s]\r\n;k=comment\r\nk=v\r\n") << "s"
                                              << "k" << QByteArray("v");
        QTest::newRow("commented key is no key") << QByteArray("[s]\r\n ;k=v\r\n") << "s"
                                                 << "k" << def;
        QTest::newRow("commented header starts nothing")
            << QByteArray("[s]\r\n;[t]\r\nk=v\r\n") << "s"
            << "k" << QByteArray("v");
        QTest::newRow("no inline comment") << QByteArray("[s]\r\nk=v ; note\r\n") << "s"
                                           << "k" << QByteArray("v ; note");
        QTest::newRow("= inside value") << QByteArray("[s]\r\nk=a=b\r\n") << "s"
                                        << "k" << QByteArray("a=b");
        QTest::newRow("line without = is no key") << QByteArray("[s]\r\nk\r\n") << "s"
                                                  << "k" << def;
        QTest::newRow("empty value is a value") << QByteArray("[s]\r\nk=\r\n") << "s"
                                                << "k" << QByteArray("");
        QTest::newRow("empty key name") << QByteArray("[s]\r\n=v\r\n") << "s"
                                        << "" << QByteArray("v");
        QTest::newRow("[ without ] starts nothing") << QByteArray("[s]\r\n[t\r\nk=v\r\n") << "s"
                                                    << "k" << QByteArray("v");
        QTest::newRow("keys before any section belong to none")
            << QByteArray("k=v\r\n[s]\r\n") << "s"
            << "k" << def;
        QTest::newRow("key of another section") << QByteArray("[t]\r\nk=v\r\n[s]\r\nj=1\r\n") << "s"
                                                << "k" << def;
        QTest::newRow("missing section") << QByteArray("[t]\r\nk=v\r\n") << "s"
                                         << "k" << def;
        QTest::newRow("prefix of a name does not match") << QByteArray("[s]\r\nkey=v\r\n") << "s"
                                                         << "k" << def;
        QTest::newRow("empty file") << QByteArray() << "s"
                                    << "k" << def;
        QTest::newRow("first of duplicate keys") << QByteArray("[s]\r\nk=1\r\nK=2\r\n") << "s"
                                                 << "k" << QByteArray("1");
        QTest::newRow("first of duplicate sections")
            << QByteArray("[s]\r\nk=1\r\n[S]\r\nk=2\r\n") << "s"
            << "k" << QByteArray("1");
        QTest::newRow("later duplicate section not searched")
            << QByteArray("[s]\r\nj=1\r\n[s]\r\nk=2\r\n") << "s"
            << "k" << def;
        QTest::newRow("double quotes stripped") << QByteArray("[s]\r\nk=\"val2\"\r\n") << "s"
                                                << "k" << QByteArray("val2");
        QTest::newRow("single quotes stripped") << QByteArray("[s]\r\nk='v w'\r\n") << "s"
                                                << "k" << QByteArray("v w");
        QTest::newRow("blanks inside quotes kept") << QByteArray("[s]\r\nk= \" v \" \r\n") << "s"
                                                   << "k" << QByteArray(" v ");
        QTest::newRow("empty quotes") << QByteArray("[s]\r\nk=\"\"\r\n") << "s"
                                      << "k" << QByteArray("");
        QTest::newRow("unmatched quote kept") << QByteArray("[s]\r\nk=\"v\r\n") << "s"
                                              << "k" << QByteArray("\"v");
        QTest::newRow("mixed quotes kept") << QByteArray("[s]\r\nk=\"v'\r\n") << "s"
                                           << "k" << QByteArray("\"v'");
        QTest::newRow("lone quote kept") << QByteArray("[s]\r\nk=\"\r\n") << "s"
                                         << "k" << QByteArray("\"");
        QTest::newRow("inner quotes kept") << QByteArray("[s]\r\nk=a \"b\"\r\n") << "s"
                                           << "k" << QByteArray("a \"b\"");
        QTest::newRow("Shift-JIS names and value")
            << sj("[和文font]\r\nName=ＭＳ ゴシック\r\n") << "和文font"
            << "Name" << sj("ＭＳ ゴシック");
        QTest::newRow("half-width katakana section")
            << sj("[正解箱ｶﾗｰ]\r\nBoxColor=255\r\n") << "正解箱ｶﾗｰ"
            << "boxcolor" << QByteArray("255");
        // ア is 83 41 and ヂ is 83 61: folding the trail byte as a letter would match them.
        QTest::newRow("trail byte is no letter (key)") << sj("[s]\r\nヂ=1\r\n") << "s"
                                                       << "ア" << def;
        QTest::newRow("trail byte is no letter (section)") << sj("[ヂ]\r\nk=1\r\n") << "ア"
                                                           << "k" << def;
        QTest::newRow("full-width letters keep their case") << sj("[s]\r\nＡ=1\r\n") << "s"
                                                            << "ａ" << def;
        // ‐ is 81 5D: its trail byte is "]".
        QTest::newRow("trail byte is no ]") << sj("[a‐]\r\nk=v\r\n") << "a‐"
                                            << "k" << QByteArray("v");
        QTest::newRow("invalid bytes kept") << QByteArray("[s]\r\nk=\x82\xff\x7f\r\n") << "s"
                                            << "k" << QByteArray("\x82\xff\x7f");
    }
    void readString() {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QByteArray, expected);
        putFile(file);
        QCOMPARE(bytes(ProfileIni(path_).readString(section, key, Default)), expected);
    }

    void readStringLimit_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray a1023(1023, 'a');
        const QByteArray a1022(1022, 'a');
        const QByteArray a1021(1021, 'a');
        const QByteArray aa = sj("あ");
        QTest::newRow("exactly 1023") << a1023 << a1023;
        QTest::newRow("longer cut to 1023") << QByteArray(5000, 'a') << a1023;
        QTest::newRow("double-byte fits at the end") << a1021 + aa + "b" << a1021 + aa;
        QTest::newRow("double-byte not cut in half") << a1022 + aa << a1022;
        QTest::newRow("half-width katakana are single bytes")
            << QByteArray(1100, '\xb6') << QByteArray(1023, '\xb6');
        QTest::newRow("limit applies inside quotes") << "\"" + a1023 + "\"" << a1023;
    }
    void readStringLimit() {
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, expected);
        putFile("[s]\r\nk=" + value + "\r\n");
        QCOMPARE(bytes(ProfileIni(path_).readString("s", "k", Default)), expected);
    }

    void readInteger_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("expected");
        // Every row reads with the default 70.
        QTest::newRow("decimal") << QByteArray("12") << 12;
        QTest::newRow("negative") << QByteArray("-1") << -1;
        QTest::newRow("plus sign") << QByteArray("+1") << 1;
        QTest::newRow("leading zeros") << QByteArray("007") << 7;
        QTest::newRow("zero") << QByteArray("0") << 0;
        QTest::newRow("blanks around") << QByteArray("  42  ") << 42;
        QTest::newRow("quoted") << QByteArray("\"42\"") << 42;
        QTest::newRow("largest") << QByteArray("2147483647") << 2147483647;
        QTest::newRow("smallest") << QByteArray("-2147483648") << int(-2147483647 - 1);
        QTest::newRow("too large") << QByteArray("2147483648") << 70;
        QTest::newRow("too small") << QByteArray("-2147483649") << 70;
        QTest::newRow("far too large") << QByteArray("4294967297") << 70;
        QTest::newRow("hex") << QByteArray("0x1F") << 31;
        QTest::newRow("hex upper X, lower digits") << QByteArray("0Xff") << 255;
        QTest::newRow("hex top bit set") << QByteArray("0x80000005") << int(0x80000005u);
        QTest::newRow("hex all ones") << QByteArray("0xFFFFFFFF") << -1;
        QTest::newRow("hex with leading zeros") << QByteArray("0x0000000010") << 16;
        QTest::newRow("hex too large") << QByteArray("0x100000000") << 70;
        QTest::newRow("hex without digits") << QByteArray("0x") << 70;
        QTest::newRow("hex bad digit") << QByteArray("0x1G") << 70;
        QTest::newRow("signed hex") << QByteArray("-0x10") << 70;
        QTest::newRow("trailing letters") << QByteArray("42A94967297") << 70;
        QTest::newRow("leading letter") << QByteArray("B42") << 70;
        QTest::newRow("inner blank") << QByteArray("1 2") << 70;
        QTest::newRow("sign alone") << QByteArray("-") << 70;
        QTest::newRow("two signs") << QByteArray("--1") << 70;
        QTest::newRow("dollar hex") << QByteArray("$1F") << 70;
        QTest::newRow("decimal point") << QByteArray("1.0") << 70;
        QTest::newRow("empty") << QByteArray("") << 70;
        QTest::newRow("full-width digits") << sj("１２") << 70;
    }
    void readInteger() {
        QFETCH(QByteArray, value);
        QFETCH(int, expected);
        putFile("[s]\r\nk=" + value + "\r\n");
        QCOMPARE(ProfileIni(path_).readInteger("s", "k", 70), expected);
    }

    void readBool_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("def");
        QTest::addColumn<bool>("expected");
        QTest::newRow("1") << QByteArray("[s]\r\nk=1\r\n") << false << true;
        QTest::newRow("0") << QByteArray("[s]\r\nk=0\r\n") << true << false;
        QTest::newRow("other number") << QByteArray("[s]\r\nk=-2\r\n") << false << true;
        QTest::newRow("hex zero") << QByteArray("[s]\r\nk=0x0\r\n") << true << false;
        QTest::newRow("word gives default true") << QByteArray("[s]\r\nk=no\r\n") << true << true;
        QTest::newRow("word gives default false")
            << QByteArray("[s]\r\nk=yes\r\n") << false << false;
        QTest::newRow("missing key, true") << QByteArray("[s]\r\n") << true << true;
        QTest::newRow("missing key, false") << QByteArray("[s]\r\n") << false << false;
    }
    void readBool() {
        QFETCH(QByteArray, file);
        QFETCH(bool, def);
        QFETCH(bool, expected);
        putFile(file);
        QCOMPARE(ProfileIni(path_).readBool("s", "k", def), expected);
    }

    void readWithoutFileGivesDefaults() {
        ProfileIni missing(path_);
        QCOMPARE(missing.readString("s", "k", "d"), std::string("d"));
        QCOMPARE(missing.readInteger("s", "k", -1), -1);
        QCOMPARE(missing.readBool("s", "k", true), true);
        QVERIFY(!QFileInfo::exists(path_));

        ProfileIni directory(dir_->path());
        QCOMPARE(directory.readString("s", "k", "d"), std::string("d"));
        QCOMPARE(directory.readInteger("s", "k", 5), 5);

        // Every read looks at the file as it is now.
        putFile("[s]\r\nk=1\r\n");
        QCOMPARE(missing.readInteger("s", "k", -1), 1);
        putFile("[s]\r\nk=2\r\n");
        QCOMPARE(missing.readInteger("s", "k", -1), 2);
        QVERIFY(QFile::remove(path_));
        QCOMPARE(missing.readInteger("s", "k", -1), -1);
    }

    void writeString_data() {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("creates missing file")
            << false << QByteArray() << "App"
            << "key" << QByteArray("string") << QByteArray("[App]\r\nkey=string\r\n");
        QTest::newRow("fills empty file") << true << QByteArray() << "s"
                                          << "k" << QByteArray("v") << QByteArray("[s]\r\nk=v\r\n");
        QTest::newRow("empty value") << false << QByteArray() << "App"
                                     << "key" << QByteArray() << QByteArray("[App]\r\nkey=\r\n");
        QTest::newRow("replace keeps other lines")
            << true << QByteArray("; head\n[s]\nk=old\r\nother = x \r\n\r\n") << "s"
            << "k" << QByteArray("new") << QByteArray("; head\n[s]\nk=new\r\nother = x \r\n\r\n");
        QTest::newRow("replace keeps the left side of the line")
            << true << QByteArray("[s]\r\n  Key = old  \r\n") << "S"
            << "key" << QByteArray("new") << QByteArray("[s]\r\n  Key = new\r\n");
        QTest::newRow("replace keeps the line's own ending")
            << true << QByteArray("[s]\nk=1\n[t]\rk=2\r") << "t"
            << "k" << QByteArray("9") << QByteArray("[s]\nk=1\n[t]\rk=9\r");
        QTest::newRow("replace last line without line break")
            << true << QByteArray("[s]\r\nk=1") << "s"
            << "k" << QByteArray("2") << QByteArray("[s]\r\nk=2");
        QTest::newRow("replace quoted value")
            << true << QByteArray("[s]\r\nk=\"a\"\r\n") << "s"
            << "k" << QByteArray("b") << QByteArray("[s]\r\nk=b\r\n");
        QTest::newRow("replace first of duplicate keys")
            << true << QByteArray("[s]\r\nk=1\r\nk=2\r\n") << "s"
            << "k" << QByteArray("3") << QByteArray("[s]\r\nk=3\r\nk=2\r\n");
        QTest::newRow("replace in first of duplicate sections")
            << true << QByteArray("[s]\r\nk=1\r\n[s]\r\nk=2\r\n") << "s"
            << "k" << QByteArray("3") << QByteArray("[s]\r\nk=3\r\n[s]\r\nk=2\r\n");
        QTest::newRow("new key after the section's last key")
            << true << QByteArray("[s]\r\na=1\r\nb=2\r\n\r\n[t]\r\nb=2\r\n") << "s"
            << "c" << QByteArray("3")
            << QByteArray("[s]\r\na=1\r\nb=2\r\nc=3\r\n\r\n[t]\r\nb=2\r\n");
        QTest::newRow("new key before comments that precede the next section")
            << true << QByteArray("[s]\r\na=1\r\n; about t\r\n[t]\r\n") << "s"
            << "c" << QByteArray("3") << QByteArray("[s]\r\na=1\r\nc=3\r\n; about t\r\n[t]\r\n");
        QTest::newRow("new key after a header without keys")
            << true << QByteArray("[s]\n\n[t]\n") << "s"
            << "c" << QByteArray("3") << QByteArray("[s]\nc=3\r\n\n[t]\n");
        QTest::newRow("new key after last line without line break")
            << true << QByteArray("[s]\r\na=1") << "s"
            << "c" << QByteArray("3") << QByteArray("[s]\r\na=1\r\nc=3\r\n");
        QTest::newRow("new key under a header without line break")
            << true << QByteArray("[s]") << "s"
            << "c" << QByteArray("3") << QByteArray("[s]\r\nc=3\r\n");
        QTest::newRow("new key goes to the first of duplicate sections")
            << true << QByteArray("[s]\r\na=1\r\n[s]\r\nc=2\r\n") << "s"
            << "c" << QByteArray("3") << QByteArray("[s]\r\na=1\r\nc=3\r\n[s]\r\nc=2\r\n");
        QTest::newRow("new key skips lines that are no keys")
            << true << QByteArray("junk\r\n[s]\r\nnoequals\r\n[bad\r\n;c=1\r\n") << "s"
            << "k" << QByteArray("v")
            << QByteArray("junk\r\n[s]\r\nk=v\r\nnoequals\r\n[bad\r\n;c=1\r\n");
        QTest::newRow("new section at the end")
            << true << QByteArray("[s]\r\na=1\r\n\r\n") << "t"
            << "k" << QByteArray("v") << QByteArray("[s]\r\na=1\r\n\r\n[t]\r\nk=v\r\n");
        QTest::newRow("new section after last line without line break")
            << true << QByteArray("[s]\na=1") << "t"
            << "k" << QByteArray("v") << QByteArray("[s]\na=1\r\n[t]\r\nk=v\r\n");
        QTest::newRow("keys before any section are not the section's")
            << true << QByteArray("k=1\r\n") << "s"
            << "k" << QByteArray("2") << QByteArray("k=1\r\n[s]\r\nk=2\r\n");
        QTest::newRow("line break in value ends it")
            << true << QByteArray("[s]\r\n") << "s"
            << "k" << QByteArray("a\r\nb") << QByteArray("[s]\r\nk=a\r\n");
        QTest::newRow("Shift-JIS names and value")
            << false << QByteArray() << "和文font"
            << "Name" << sj("ＭＳ ゴシック") << sj("[和文font]\r\nName=ＭＳ ゴシック\r\n");
        QTest::newRow("other bytes kept exactly")
            << true << raw("\x82\xff\0x\r\n[s]\r\nk=1\r\n\x81\x5d\n") << "s"
            << "k" << QByteArray("2") << raw("\x82\xff\0x\r\n[s]\r\nk=2\r\n\x81\x5d\n");
    }
    void writeString() {
        QFETCH(bool, exists);
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, after);
        if (exists) putFile(before);
        ProfileIni ini(path_);
        ini.writeString(section, key, value.toStdString());
        QCOMPARE(fileBytes(path_), after);
        QCOMPARE(filesInDir(), QStringList{QFileInfo(path_).fileName()});
    }

    void writeNumbers_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("zero") << 0 << QByteArray("0");
        QTest::newRow("red") << 255 << QByteArray("255");
        QTest::newRow("minus one") << -1 << QByteArray("-1");
        QTest::newRow("system colour") << int(0x80000005u) << QByteArray("-2147483643");
        QTest::newRow("largest") << 2147483647 << QByteArray("2147483647");
        QTest::newRow("smallest") << int(-2147483647 - 1) << QByteArray("-2147483648");
    }
    void writeNumbers() {
        QFETCH(int, value);
        QFETCH(QByteArray, text);
        ProfileIni ini(path_);
        ini.writeInteger("s", "n", value);
        ini.writeBool("s", "on", value != 0);
        ini.writeBool("s", "off", false);
        QCOMPARE(fileBytes(path_),
                 "[s]\r\nn=" + text + "\r\non=" + (value != 0 ? "1" : "0") + "\r\noff=0\r\n");
        QCOMPARE(ini.readInteger("s", "n", 12345), value);
        QCOMPARE(ini.readBool("s", "on", value == 0), value != 0);
    }

    void writeSequenceBuildsFile() {
        ProfileIni ini(path_);
        ini.writeString("App1", "key1", "string1");
        ini.writeString("App1", "key2", "string2");
        ini.writeString("App1", "key3", "string3");
        ini.writeString("App2", "key4", "string4");
        ini.writeString("App3", "key5", "string5");
        ini.writeString("app1", "KEY2", "two");
        QCOMPARE(fileBytes(path_), QByteArray("[App1]\r\nkey1=string1\r\nkey2=two\r\n"
                                              "key3=string3\r\n[App2]\r\nkey4=string4\r\n"
                                              "[App3]\r\nkey5=string5\r\n"));
        QCOMPARE(ini.readString("App1", "key2", ""), std::string("two"));
        QCOMPARE(ini.readString("App3", "key5", ""), std::string("string5"));
    }

    // Many keys written at once give the bytes that writing them one after
    // the other gives, with one read and one write of the file.
    void batchIsTheWritesOneByOne_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QStringList>("edits"); // section, key, value, ...
        const QStringList mixed{"App1", "key1", "a", "app2", "k",    "b", "APP1", "KEY1", "c",
                                "App3", "n",    "d", "App1", "key2", "e", "app3", "N",    "f"};
        QTest::newRow("new file") << QByteArray() << mixed;
        QTest::newRow("existing and new keys and sections")
            << QByteArray("; head\r\n[App1]\r\nkey1=1\r\n\r\n[App2]\r\nk=2\r\nz=9") << mixed;
        QTest::newRow("header without line break, then a new section")
            << QByteArray("[s]") << QStringList{"s", "a", "1", "t", "b", "2", "s", "c", "3"};
        QTest::newRow("new section, then a key of the last section")
            << QByteArray("[s]\r\na=1\r\n")
            << QStringList{"t", "b", "2", "s", "c", "3", "s", "a", "4"};
        QTest::newRow("line break in a value")
            << QByteArray("[s]\nk=1\n") << QStringList{"s", "k", "x\r\ny", "s", "j", "z\n"};
    }
    void batchIsTheWritesOneByOne() {
        QFETCH(QByteArray, before);
        QFETCH(QStringList, edits);
        std::string expected = before.toStdString();
        for (qsizetype i = 0; i + 2 < edits.size(); i += 3)
            expected =
                sorami::profileWithValue(expected, edits[i].toStdString(),
                                         edits[i + 1].toStdString(), edits[i + 2].toStdString());
        if (!before.isEmpty()) putFile(before);
        sorami::detail::profileFileReads = sorami::detail::profileFileWrites = 0;
        ProfileIni ini(path_);
        ini.batch([&] {
            for (qsizetype i = 0; i + 2 < edits.size(); i += 3)
                ini.writeString(edits[i], edits[i + 1], edits[i + 2].toStdString());
        });
        QCOMPARE(fileBytes(path_), bytes(expected));
        QCOMPARE(sorami::detail::profileFileReads, before.isEmpty() ? 0 : 1);
        QCOMPARE(sorami::detail::profileFileWrites, 1);
        // Reads after the write need no read of the file either.
        QCOMPARE(ini.readString(edits[0], edits[1], Default),
                 ini.readString(edits[0], edits[1], "other"));
        QCOMPARE(sorami::detail::profileFileReads, before.isEmpty() ? 0 : 1);
    }

    // A file this thread just wrote is not read again by the next object made
    // for it; one that another writer changed since is.
    void readAfterOwnWrite_data() {
        QTest::addColumn<QString>("then");
        QTest::addColumn<int>("reads");
        QTest::addColumn<QString>("value");
        QTest::newRow("left as written") << "" << 0 << "1";
        QTest::newRow("replaced by a file of the same size") << "replace" << 1 << "2";
        QTest::newRow("rewritten in place, longer") << "in place" << 1 << "22";
    }
    void readAfterOwnWrite() {
        QFETCH(QString, then);
        QFETCH(int, reads);
        QFETCH(QString, value);
        ProfileIni(path_).writeString("s", "k", "1");
        if (then == "replace") {
            const QString other = dir_->filePath("other.ini");
            QFile f(other);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.write("[s]\r\nk=2\r\n") > 0);
            f.close();
            QVERIFY(::rename(QFile::encodeName(other).constData(),
                             QFile::encodeName(path_).constData()) == 0);
        } else if (then == "in place") {
            putFile("[s]\r\nk=22\r\n");
        }
        sorami::detail::profileFileReads = 0;
        QCOMPARE(QString::fromStdString(ProfileIni(path_).readString("s", "k", Default)), value);
        QCOMPARE(sorami::detail::profileFileReads, reads);
    }

    // Two programs writing their records at once leave one record whole, never
    // the file name of one and the number of the other: a record is one write.
    void resumeRecordIsOneWrite() {
        putFile(sj("[問題ファイル名]\r\nPFileName=a.lko\r\n[問題番号]\r\nPProblemNum=3\r\n"));
        sorami::detail::profileFileWrites = 0;
        ProfileIni ini(path_);
        sorami::resume::write(ini, QStringLiteral("b.lko"), 9);
        QCOMPARE(sorami::detail::profileFileWrites, 1);
        QCOMPARE(sorami::resume::readFile(ini), std::string("b.lko"));
        QCOMPARE(sorami::resume::readNumber(ini), 9);
    }

    void readOfWhatIsNoFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("directory") << "directory";
        QTest::newRow("named pipe") << "fifo";
    }
    void readOfWhatIsNoFile() {
        // Reads as a missing file; a pipe must not block the program.
        QFETCH(QString, kind);
        const QByteArray name = QFile::encodeName(path_);
        std::thread closer;
        if (kind == "directory") {
            QVERIFY(QDir(dir_->path()).mkdir(QFileInfo(path_).fileName()));
        } else {
            QCOMPARE(::mkfifo(name.constData(), 0600), 0);
            // A writer that offers a key and goes away after a moment: a
            // reader that takes the pipe for a file finds the key.
            const int writer = ::open(name.constData(), O_RDWR | O_NONBLOCK);
            QVERIFY(writer >= 0);
            QCOMPARE(::write(writer, "[s]\nk=v\n", 8), ssize_t(8));
            closer = std::thread([writer] {
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                ::close(writer);
            });
        }
        const std::string value = ProfileIni(path_).readString("s", "k", Default);
        if (closer.joinable()) closer.join();
        QCOMPARE(QByteArray::fromStdString(value), QByteArray(Default));
    }

    void writeFailure_data() {
        QTest::addColumn<QString>("setup");
        QTest::newRow("directory missing") << "missing directory";
        QTest::newRow("path is a directory") << "directory";
        QTest::newRow("disk full, old file intact") << "full";
        QTest::newRow("disk full, no key of a batch written") << "full batch";
        // Replacing the link with a file would write where it never pointed.
        QTest::newRow("link in a loop") << "loop";
    }
    void writeFailure() {
        QFETCH(QString, setup);
        QString path = path_;
        QByteArray before;
        std::unique_ptr<FileSizeLimit> limit;
        if (setup == "missing directory") {
            path = dir_->filePath(QStringLiteral("nowhere/ソラミ君.ini"));
        } else if (setup == "directory") {
            QVERIFY(QDir(dir_->path()).mkdir(QFileInfo(path).fileName()));
        } else if (setup == "loop") {
            QVERIFY(QFile::link(path, path));
        } else {
            ProfileIni(path).writeString("s", "a", "1");
            before = fileBytes(path);
            QCOMPARE(before, QByteArray("[s]\r\na=1\r\n"));
            limit = std::make_unique<FileSizeLimit>(static_cast<rlim_t>(before.size() + 4));
        }
        const QStringList filesBefore = filesInDir();

        ProfileIni ini(path);
        QString message;
        try {
            ini.batch([&] {
                ini.writeString("s", "k", std::string(200, 'x'));
                if (setup == "full batch") ini.writeString("s", "a", "2");
            });
        } catch (const sorami::SoramiError& e) {
            message = e.text();
        }
        limit.reset();

        QCOMPARE(message, QDir::toNativeSeparators(path) + QStringLiteral(" に書き込めません"));
        QCOMPARE(filesInDir(), filesBefore); // no temporary file left behind
        if (setup == "missing directory") QVERIFY(!QFileInfo::exists(QFileInfo(path).path()));
        if (setup == "directory") QVERIFY(QFileInfo(path).isDir());
        if (setup == "loop") QVERIFY(QFileInfo(path).isSymLink());
        if (setup.startsWith("full")) {
            QCOMPARE(fileBytes(path), before);
            QCOMPARE(ini.readString("s", "k", "none"), std::string("none"));
            QCOMPARE(ini.readInteger("s", "a", 0), 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestProfileIni)
#include "test_profile_ini.moc"
