// Writes the sound cues the programs play into the directory given as the
// only argument: short 16-bit mono 22050 Hz wave files, all synthesized here
// so that the repository holds no recorded sound.
//
// Usage: make_cues <output directory>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

using Buffer = std::vector<double>;

// Equal-tempered pitch: A4 = 440 Hz is MIDI note 69.
double pitch(int midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

int samplesFor(double seconds) {
    return static_cast<int>(std::lround(seconds * kRate));
}

// Grows the buffer so that it covers `seconds`.
void ensureLength(Buffer& out, double seconds) {
    const auto n = static_cast<std::size_t>(samplesFor(seconds));
    if (out.size() < n) out.resize(n, 0.0);
}

// A struck bell-like tone: fast attack, exponential decay, a few partials.
// Mixed into `out` at `start` seconds.
void addBell(Buffer& out, double start, double freq, double length, double gain,
             double decayPerSecond = 6.0) {
    ensureLength(out, start + length);
    const int first = samplesFor(start);
    const int n = samplesFor(length);
    const double attack = 0.005;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        double env = std::exp(-decayPerSecond * t);
        if (t < attack) env *= t / attack;
        const double w = 2 * kPi * freq * t;
        const double v = std::sin(w) + 0.35 * std::sin(2 * w) * std::exp(-4 * t) +
                         0.15 * std::sin(3.01 * w) * std::exp(-8 * t);
        out[first + i] += gain * env * v;
    }
}

// A soft sustained tone (organ-like) with short ramps at both ends.
void addTone(Buffer& out, double start, double freq, double length, double gain) {
    ensureLength(out, start + length);
    const int first = samplesFor(start);
    const int n = samplesFor(length);
    const double ramp = std::min(0.02, length / 4);
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double env = std::min({1.0, t / ramp, (length - t) / ramp});
        const double w = 2 * kPi * freq * t;
        out[first + i] += gain * env * (std::sin(w) + 0.25 * std::sin(2 * w));
    }
}

// A band-limited buzz (the first odd harmonics of a square wave) whose pitch
// may slide from `f0` to `f1`.
void addBuzz(Buffer& out, double start, double f0, double f1, double length, double gain) {
    ensureLength(out, start + length);
    const int first = samplesFor(start);
    const int n = samplesFor(length);
    const double ramp = std::min(0.015, length / 4);
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double f = f0 + (f1 - f0) * (t / length);
        phase += 2 * kPi * f / kRate;
        const double env = std::min({1.0, t / ramp, (length - t) / ramp});
        double v = 0;
        for (int h = 1; h <= 9; h += 2)
            v += std::sin(h * phase) / h;
        out[first + i] += gain * env * v;
    }
}

// A sine sweep from `f0` to `f1` with a decaying envelope.
void addChirp(Buffer& out, double start, double f0, double f1, double length, double gain) {
    ensureLength(out, start + length);
    const int first = samplesFor(start);
    const int n = samplesFor(length);
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double x = t / length;
        const double f = f0 * std::pow(f1 / f0, x); // exponential sweep sounds even
        phase += 2 * kPi * f / kRate;
        const double env = std::min(1.0, t / 0.004) * (1 - x) * (1 - x * 0.5);
        out[first + i] += gain * env * std::sin(phase);
    }
}

// Deterministic noise, so that every build writes the same files.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed) {}
    double next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 23) - 1.0;
    }

private:
    std::uint32_t state_;
};

// A noise burst, coloured by a one-pole low-pass (smaller `brightness` is
// duller) and decaying at `decayPerSecond`.
void addNoiseBurst(Buffer& out, Noise& noise, double start, double length, double gain,
                   double brightness, double decayPerSecond) {
    ensureLength(out, start + length);
    const int first = samplesFor(start);
    const int n = samplesFor(length);
    double lp = 0, prev = 0;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double env = std::min(1.0, t / 0.002) * std::exp(-decayPerSecond * t);
        lp += brightness * (noise.next() - lp);
        const double hp = lp - prev; // take off the rumble so it sounds like a clap
        prev = lp;
        out[first + i] += gain * env * (lp * 0.4 + hp * 2.0);
    }
}

// --- the cues -------------------------------------------------------------

// Correct answer, showy tone: a bright rising arpeggio.
Buffer yokudeki() {
    Buffer b;
    const int notes[] = {72, 76, 79, 84};
    for (int i = 0; i < 4; ++i)
        addBell(b, i * 0.09, pitch(notes[i]), 0.45, 0.5);
    return b;
}

// Correct answer, plain tone: a rising two-note chime.
Buffer pinpon() {
    Buffer b;
    addBell(b, 0.0, pitch(76), 0.3, 0.6, 5);
    addBell(b, 0.16, pitch(84), 0.5, 0.6, 5);
    return b;
}

// Wrong answer, showy tone: a low buzz that sags.
Buffer imaichi() {
    Buffer b;
    addBuzz(b, 0.0, 196, 180, 0.22, 0.45);
    addBuzz(b, 0.26, 165, 130, 0.34, 0.45);
    return b;
}

// Wrong answer in plain tone, refusals and page turns: one short wooden knock.
Buffer poki() {
    Buffer b;
    addChirp(b, 0.0, 900, 420, 0.12, 0.8);
    return b;
}

// Data stored or accepted: a quick upward sweep.
Buffer up() {
    Buffer b;
    addChirp(b, 0.0, 500, 1600, 0.28, 0.7);
    addBell(b, 0.2, pitch(88), 0.15, 0.25, 18);
    return b;
}

// End of a pass: a short closing phrase that comes to rest.
Buffer end() {
    Buffer b;
    addTone(b, 0.0, pitch(79), 0.18, 0.35);
    addTone(b, 0.2, pitch(74), 0.18, 0.35);
    addTone(b, 0.4, pitch(71), 0.18, 0.35);
    addTone(b, 0.6, pitch(72), 0.35, 0.4);
    return b;
}

// The application says goodbye: two gentle falling bells.
Buffer apli() {
    Buffer b;
    addBell(b, 0.0, pitch(84), 0.35, 0.5, 5);
    addBell(b, 0.2, pitch(77), 0.45, 0.5, 5);
    return b;
}

// Cancelled: two quick falling blips.
Buffer cancel() {
    Buffer b;
    addTone(b, 0.0, pitch(69), 0.09, 0.45);
    addTone(b, 0.12, pitch(62), 0.13, 0.45);
    return b;
}

// A block starts or ends without fanfare: a falling "pew" over a hiss.
Buffer shoot() {
    Buffer b;
    Noise noise(7);
    addChirp(b, 0.0, 2400, 300, 0.35, 0.6);
    addNoiseBurst(b, noise, 0.0, 0.3, 0.25, 0.5, 14);
    return b;
}

// Applause: a dozen hand claps of slightly different colour and spacing.
Buffer clapping() {
    Buffer b;
    Noise noise(12345);
    double t = 0.0;
    for (int i = 0; i < 14; ++i) {
        const double brightness = 0.35 + 0.25 * (noise.next() + 1) / 2;
        const double gain = 0.5 + 0.2 * noise.next();
        addNoiseBurst(b, noise, t, 0.09, gain, brightness, 45);
        t += 0.06 + 0.03 * (noise.next() + 1) / 2;
    }
    ensureLength(b, t + 0.1);
    return b;
}

// Perfect block: a fanfare ending on a held chord.
Buffer yatta() {
    Buffer b;
    addTone(b, 0.0, pitch(72), 0.11, 0.3);
    addTone(b, 0.12, pitch(72), 0.11, 0.3);
    addTone(b, 0.24, pitch(72), 0.11, 0.3);
    addTone(b, 0.36, pitch(79), 0.2, 0.3);
    addTone(b, 0.6, pitch(76), 0.1, 0.3);
    addTone(b, 0.72, pitch(72), 0.45, 0.22);
    addTone(b, 0.72, pitch(76), 0.45, 0.22);
    addTone(b, 0.72, pitch(84), 0.45, 0.22);
    return b;
}

// Good block: a rising major arpeggio that rings.
Buffer sutekiyo() {
    Buffer b;
    const int notes[] = {67, 72, 76, 79, 84};
    for (int i = 0; i < 5; ++i)
        addBell(b, i * 0.12, pitch(notes[i]), 0.4, 0.4, 4.5);
    return b;
}

// Passed: two firm steps up.
Buffer goukaku() {
    Buffer b;
    addTone(b, 0.0, pitch(67), 0.22, 0.4);
    addTone(b, 0.25, pitch(72), 0.4, 0.4);
    return b;
}

// Failed: a slow falling minor phrase.
Buffer fugoukak() {
    Buffer b;
    addTone(b, 0.0, pitch(67), 0.25, 0.35);
    addTone(b, 0.28, pitch(63), 0.25, 0.35);
    addTone(b, 0.56, pitch(60), 0.4, 0.35);
    return b;
}

struct Cue {
    const char* fileName; // lower case: the programs look cues up ignoring case
    Buffer (*make)();
};

// Every cue a program plays.
const Cue kCues[] = {
    {"yokudeki.wav", yokudeki},
    {"pinpon.wav", pinpon},
    {"imaichi.wav", imaichi},
    {"poki.wav", poki},
    {"up.wav", up},
    {"end.wav", end},
    {"apli.wav", apli},
    {"cancel.wav", cancel},
    {"shoot.wav", shoot},
    {"clapping.wav", clapping},
    {"yatta.wav", yatta},
    {"sutekiyo.wav", sutekiyo},
    {"goukaku.wav", goukaku},
    {"fugoukak.wav", fugoukak},
};

// Scales to a common peak, fades the last few milliseconds so that no cue
// ends in a click, and converts to 16-bit samples.
std::vector<short> finish(Buffer b) {
    double peak = 1e-9;
    for (double v : b)
        peak = std::max(peak, std::abs(v));
    const double scale = 0.7 / peak;
    const int fade = std::min<int>(samplesFor(0.01), static_cast<int>(b.size()));
    for (int i = 0; i < fade; ++i)
        b[b.size() - 1 - i] *= static_cast<double>(i) / fade;
    std::vector<short> out(b.size());
    for (std::size_t i = 0; i < b.size(); ++i)
        out[i] = static_cast<short>(std::lround(std::clamp(b[i] * scale, -1.0, 1.0) * 32767));
    return out;
}

bool writeWave(const std::string& path, const std::vector<short>& samples) {
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f) {
        std::fprintf(stderr, "make_cues: cannot write %s: %s\n", path.c_str(),
                     sf_strerror(nullptr));
        return false;
    }
    const auto n = static_cast<sf_count_t>(samples.size());
    const bool ok = sf_write_short(f, samples.data(), n) == n;
    if (!ok)
        std::fprintf(stderr, "make_cues: writing %s failed: %s\n", path.c_str(), sf_strerror(f));
    return sf_close(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_cues <output directory>\n");
        return 2;
    }
    const std::string dir = argv[1];
    bool ok = true;
    for (const Cue& cue : kCues)
        ok = writeWave(dir + "/" + cue.fileName, finish(cue.make())) && ok;
    return ok ? 0 : 1;
}
