#pragma once
// Sound cues: short wave files played by bare name. A missing file or no
// sound server plays nothing and says nothing.

#include <QByteArray>
#include <QString>

#include <chrono>

namespace sorami {

// Where a cue named `name` is found: the working directory first, then the
// program's directory; letter case is ignored ("Poki.wav" finds "poki.wav").
// Empty when there is no such file.
QString findSoundFile(const QString& name);

// Plays a cue. Synchronous play returns when the sound has ended;
// asynchronous play returns at once, and a new cue replaces one still playing.
void playSoundCue(const QString& name, bool synchronous);

// Plays WAV bytes (speech) without waiting, on a stream of its own so that a
// cue does not cut it; new bytes replace those playing. Bytes that are not a
// sound play nothing.
void playWaveBytes(const QByteArray& wav);
void stopWaveBytes();

// When the first samples of the latest speech were handed to the sound
// server; the epoch before they have been (or with no server). For the
// command-to-sound figure.
std::chrono::steady_clock::time_point speechFirstWritten();

} // namespace sorami
