// The model answer spoken by the real engine: speech-length WAV handed to
// the sound output, at the rate chosen.
#include "fake_platform.h"
#include "speech.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

using sorami::FakePlatform;
using sorami::Speaker;

namespace {

// Seconds of sound in espeak-ng's WAV: 16-bit mono after a 44-byte header
// (its size fields are left unset when it writes to a pipe).
double secondsOf(const QByteArray& wav) {
    if (wav.size() < 44 || !wav.startsWith("RIFF")) return 0;
    const auto* h = reinterpret_cast<const unsigned char*>(wav.constData());
    const int rate = h[24] | h[25] << 8 | h[26] << 16;
    return rate > 0 ? (wav.size() - 44) / 2.0 / rate : 0;
}

} // namespace

class TestSpeech : public QObject {
    Q_OBJECT
private slots:
    void realEngine();
};

void TestSpeech::realEngine() {
    if (QStandardPaths::findExecutable(QStringLiteral("espeak-ng")).isEmpty())
        QSKIP("espeak-ng is not installed");
    FakePlatform fake;
    Speaker speaker(fake, nullptr);
    speaker.setVoice(QStringLiteral("en-gb"));
    QSignalSpy handedOut(&speaker, &Speaker::handedOut);
    QList<double> seconds;
    for (int rate : {Speaker::rates().first(), Speaker::rates().last()}) {
        speaker.setRate(rate);
        speaker.speak(QStringLiteral("I have lived in Tokyo for ten years."));
        QVERIFY(handedOut.wait(10000));
        seconds << secondsOf(fake.speech.last());
    }
    QVERIFY2(seconds.first() > 1.5 && seconds.first() < 6,
             qPrintable(QString::number(seconds.first())));
    // The slower rate speaks longer.
    QVERIFY(seconds.first() > seconds.last() * 1.2);
    QCOMPARE(fake.messages.size(), 0);
}

QTEST_GUILESS_MAIN(TestSpeech)
#include "test_speech.moc"
