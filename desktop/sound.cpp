#include "sound.h"

#include "program_paths.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <pulse/context.h>
#include <pulse/mainloop.h>
#include <pulse/simple.h>
#include <sndfile.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace sorami {

namespace {

// --- Finding the file ---------------------------------------------------------

QString findIn(const QString& dirPath, const QString& name) {
    if (dirPath.isEmpty()) return {};
    const QDir dir(dirPath);
    const QFileInfo exact(dir.filePath(name));
    if (exact.isFile()) return exact.absoluteFilePath();
    // The cue names come in mixed case ("Poki.wav") while the files may not.
    // Regular files only: decoding a named pipe would block until someone writes.
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return dir.absoluteFilePath(entry);
    }
    return {};
}

// --- Decoding, once per file ----------------------------------------------------

struct Pcm {
    std::vector<short> samples; // interleaved
    int rate = 0;
    int channels = 0;
};
using PcmPtr = std::shared_ptr<const Pcm>;

// A cue is a short sound; this keeps a huge or hostile file from eating memory
// (about six minutes of CD-quality stereo).
constexpr std::size_t kMaxSamples = 32u * 1024u * 1024u;

PcmPtr decodeOpened(SNDFILE* f, const SF_INFO& info) {
    if (!f) return nullptr;
    auto pcm = std::make_shared<Pcm>();
    pcm->rate = info.samplerate;
    pcm->channels = info.channels;
    pa_sample_spec sampleSpec{PA_SAMPLE_S16NE, static_cast<uint32_t>(std::max(info.samplerate, 0)),
                              static_cast<uint8_t>(std::clamp(info.channels, 0, 255))};
    if (info.channels <= 0 || info.channels > static_cast<int>(PA_CHANNELS_MAX) ||
        !pa_sample_spec_valid(&sampleSpec)) {
        sf_close(f);
        return nullptr;
    }
    // The frame count in the header may be wrong, so read until the data ends.
    std::vector<short> chunk(4096 * static_cast<std::size_t>(info.channels));
    while (pcm->samples.size() < kMaxSamples) {
        const sf_count_t got = sf_readf_short(f, chunk.data(), 4096);
        if (got <= 0) break;
        pcm->samples.insert(pcm->samples.end(), chunk.begin(),
                            chunk.begin() + static_cast<std::ptrdiff_t>(got) * info.channels);
    }
    sf_close(f);
    if (pcm->samples.empty()) return nullptr;
    return pcm;
}

PcmPtr decode(const QString& path) {
    SF_INFO info{};
    SNDFILE* f = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    return decodeOpened(f, info);
}

// Reading WAV bytes in memory through libsndfile's virtual I/O.
struct MemoryFile {
    const QByteArray* bytes;
    sf_count_t at = 0;
};

sf_count_t memoryLength(void* user) {
    return static_cast<MemoryFile*>(user)->bytes->size();
}
sf_count_t memorySeek(sf_count_t offset, int whence, void* user) {
    auto* f = static_cast<MemoryFile*>(user);
    const sf_count_t base = whence == SEEK_CUR ? f->at : whence == SEEK_END ? f->bytes->size() : 0;
    f->at = std::clamp<sf_count_t>(base + offset, 0, f->bytes->size());
    return f->at;
}
sf_count_t memoryRead(void* out, sf_count_t count, void* user) {
    auto* f = static_cast<MemoryFile*>(user);
    const sf_count_t n = std::clamp<sf_count_t>(f->bytes->size() - f->at, 0, count);
    std::memcpy(out, f->bytes->constData() + f->at, static_cast<std::size_t>(n));
    f->at += n;
    return n;
}
sf_count_t memoryWrite(const void*, sf_count_t, void*) {
    return 0;
}
sf_count_t memoryTell(void* user) {
    return static_cast<MemoryFile*>(user)->at;
}

PcmPtr decodeBytes(const QByteArray& bytes) {
    MemoryFile file{&bytes};
    SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
    SF_INFO info{};
    return decodeOpened(sf_open_virtual(&io, SFM_READ, &info, &file), info);
}

struct CacheEntry {
    QDateTime modified;
    qint64 size = -1;
    PcmPtr pcm; // null: the file could not be decoded
};

std::mutex cacheMutex;

// Decoded samples of `path`, decoded again only when the file changes.
PcmPtr samplesOf(const QString& path) {
    static QHash<QString, CacheEntry>* cache = new QHash<QString, CacheEntry>; // lives to the end
    const QFileInfo fi(path);
    const QDateTime modified = fi.lastModified();
    const qint64 size = fi.size();
    std::lock_guard lock(cacheMutex);
    auto it = cache->find(path);
    if (it != cache->end() && it->modified == modified && it->size == size) return it->pcm;
    CacheEntry entry{modified, size, decode(path)};
    cache->insert(path, entry);
    return entry.pcm;
}

// --- Is there a sound server? ---------------------------------------------------

using Clock = std::chrono::steady_clock;

// Until when the last answer about the server holds (nanoseconds of Clock),
// and what it was. A refused connection fails within a millisecond, but a
// server that accepts and then never answers would hold a plain connect for
// half a minute, so the server is probed with a short deadline and the answer
// kept for a while.
std::atomic<Clock::rep> serverAnswerUntil{0};
std::atomic<bool> serverUp{false};
constexpr auto kProbeDeadline = std::chrono::milliseconds(700);
constexpr auto kUpHolds = std::chrono::seconds(5);
constexpr auto kDownHolds = std::chrono::seconds(5);
constexpr auto kSlowDownHolds = std::chrono::seconds(60); // a server that hangs stays hung

bool probeServer() {
    pa_mainloop* loop = pa_mainloop_new();
    if (!loop) return false;
    bool up = false;
    pa_context* context = pa_context_new(pa_mainloop_get_api(loop), "sound cue probe");
    if (context && pa_context_connect(context, nullptr, PA_CONTEXT_NOFLAGS, nullptr) >= 0) {
        const auto deadline = Clock::now() + kProbeDeadline;
        for (;;) {
            const pa_context_state_t state = pa_context_get_state(context);
            if (state == PA_CONTEXT_READY) {
                up = true;
                break;
            }
            if (!PA_CONTEXT_IS_GOOD(state)) break;
            const auto left =
                std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
            if (left.count() <= 0) break;
            if (pa_mainloop_prepare(loop, static_cast<int>(left.count())) < 0 ||
                pa_mainloop_poll(loop) < 0 || pa_mainloop_dispatch(loop) < 0)
                break;
        }
        pa_context_disconnect(context);
    }
    if (context) pa_context_unref(context);
    pa_mainloop_free(loop);
    return up;
}

void rememberServer(bool up, std::chrono::nanoseconds holds) {
    serverUp = up;
    serverAnswerUntil = (Clock::now() + holds).time_since_epoch().count();
}

bool serverAvailable() {
    if (Clock::now().time_since_epoch().count() < serverAnswerUntil) return serverUp;
    const auto start = Clock::now();
    const bool up = probeServer();
    const bool slow = Clock::now() - start > kProbeDeadline / 2;
    rememberServer(up, up ? kUpHolds : slow ? kSlowDownHolds : kDownHolds);
    return up;
}

// --- Playing --------------------------------------------------------------------

std::atomic<Clock::rep> speechWritten{0}; // see speechFirstWritten()

// Plays `pcm` to the end, or until `cancel` is set (then drops what is queued).
// `firstWritten`, where given, gets the time the first samples went out.
void playPcm(const Pcm& pcm, const std::string& appName, const std::atomic<bool>* cancel,
             std::atomic<Clock::rep>* firstWritten = nullptr) {
    if (!serverAvailable()) return;
    const pa_sample_spec sampleSpec{PA_SAMPLE_S16NE, static_cast<uint32_t>(pcm.rate),
                                    static_cast<uint8_t>(pcm.channels)};
    // A short server-side queue, so that a cue that is replaced stops at once.
    const std::size_t bytesPer100ms = pa_usec_to_bytes(100'000, &sampleSpec);
    const pa_buffer_attr attr{static_cast<uint32_t>(-1), static_cast<uint32_t>(bytesPer100ms),
                              static_cast<uint32_t>(-1), static_cast<uint32_t>(-1),
                              static_cast<uint32_t>(-1)};
    int error = 0;
    pa_simple* stream = pa_simple_new(nullptr, appName.c_str(), PA_STREAM_PLAYBACK, nullptr,
                                      "sound cue", &sampleSpec, nullptr, &attr, &error);
    if (!stream) {
        rememberServer(false, kDownHolds);
        return;
    }
    const std::size_t frame = static_cast<std::size_t>(pcm.channels);
    const std::size_t chunk = std::max<std::size_t>(frame, (pcm.rate / 50) * frame); // 20 ms
    bool cancelled = false;
    for (std::size_t at = 0; at < pcm.samples.size(); at += chunk) {
        if (cancel && *cancel) {
            cancelled = true;
            break;
        }
        const std::size_t n = std::min(chunk, pcm.samples.size() - at);
        if (pa_simple_write(stream, pcm.samples.data() + at, n * sizeof(short), &error) < 0) {
            cancelled = true;
            break;
        }
        if (firstWritten && at == 0) *firstWritten = Clock::now().time_since_epoch().count();
    }
    if (cancelled || (cancel && *cancel))
        pa_simple_flush(stream, &error);
    else
        pa_simple_drain(stream, &error);
    pa_simple_free(stream);
}

// One asynchronous cue at a time, on its own thread; starting any cue stops it.
class AsyncPlayer {
public:
    ~AsyncPlayer() { stop(); }

    void start(PcmPtr pcm, std::string appName, std::atomic<Clock::rep>* firstWritten = nullptr) {
        stop();
        auto job = std::make_shared<Job>();
        job_ = job;
        worker_ =
            std::thread([job, pcm = std::move(pcm), appName = std::move(appName), firstWritten] {
                playPcm(*pcm, appName, &job->cancel, firstWritten);
                std::lock_guard lock(job->mutex);
                job->done = true;
                job->doneChanged.notify_all();
            });
    }

    // Cancels the cue still playing and waits for its thread. A thread stuck
    // in a sound server that stopped answering is left behind rather than
    // hanging the program; it owns everything it touches.
    void stop() {
        if (!worker_.joinable()) return;
        job_->cancel = true;
        bool done;
        {
            std::unique_lock lock(job_->mutex);
            done = job_->doneChanged.wait_for(lock, std::chrono::seconds(2),
                                              [this] { return job_->done; });
        }
        if (done)
            worker_.join();
        else
            worker_.detach();
        job_.reset();
    }

private:
    struct Job {
        std::atomic<bool> cancel{false};
        std::mutex mutex;
        std::condition_variable doneChanged;
        bool done = false;
    };
    std::shared_ptr<Job> job_;
    std::thread worker_;
};

AsyncPlayer& asyncPlayer() {
    static AsyncPlayer player; // stopped and joined at exit
    return player;
}

AsyncPlayer& speechPlayer() {
    static AsyncPlayer player;
    return player;
}

std::string streamName() {
    std::string appName = QCoreApplication::applicationName().toStdString();
    return appName.empty() ? std::string("sorami") : appName;
}

} // namespace

QString findSoundFile(const QString& name) {
    if (name.isEmpty()) return {};
    if (name.contains(QLatin1Char('/'))) {
        const QFileInfo given(name);
        return given.isFile() ? given.absoluteFilePath() : QString();
    }
    QString found = findIn(QDir::currentPath(), name);
    if (found.isEmpty()) found = findIn(programDir(), name);
    if (found.isEmpty())
        found = findIn(QDir(installedShareDir()).filePath(QStringLiteral("sounds")), name);
    return found;
}

void playSoundCue(const QString& name, bool synchronous) {
    AsyncPlayer& player = asyncPlayer();
    player.stop(); // a new cue, even a missing one, replaces the one playing
    const QString path = findSoundFile(name);
    if (path.isEmpty()) return;
    PcmPtr pcm = samplesOf(path);
    if (!pcm) return;
    if (synchronous)
        playPcm(*pcm, streamName(), nullptr);
    else
        player.start(std::move(pcm), streamName());
}

void playWaveBytes(const QByteArray& wav) {
    AsyncPlayer& player = speechPlayer();
    player.stop();
    speechWritten = 0;
    if (PcmPtr pcm = decodeBytes(wav)) player.start(std::move(pcm), streamName(), &speechWritten);
}

void stopWaveBytes() {
    speechPlayer().stop();
}

std::chrono::steady_clock::time_point speechFirstWritten() {
    return Clock::time_point(Clock::duration(speechWritten.load()));
}

} // namespace sorami
