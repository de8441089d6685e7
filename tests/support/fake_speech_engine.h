#pragma once
// A stand-in for espeak-ng: a folder to put first on the PATH, holding a
// program that keeps the text it was given in "text" beside it and writes a
// few bytes of WAV. The PATH is restored when it goes.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class FakeSpeechEngine {
public:
    // With `installed` false the folder holds no engine at all.
    explicit FakeSpeechEngine(bool installed = true) : oldPath_(qgetenv("PATH")) {
        if (installed) {
            QFile f(dir_.filePath(QStringLiteral("espeak-ng")));
            if (f.open(QIODevice::WriteOnly))
                f.write("#!/bin/sh\nPATH=/usr/bin:/bin\ncat > \"$(dirname \"$0\")/text\"\n"
                        "printf 'RIFFfakeWAVE'\n");
            f.close();
            f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        qputenv("PATH", QFile::encodeName(dir_.path()));
    }
    ~FakeSpeechEngine() { qputenv("PATH", oldPath_); }
    QByteArray spokenText() const {
        QFile f(dir_.filePath(QStringLiteral("text")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    QTemporaryDir dir_;
    QByteArray oldPath_;
};
