#include "tool_output.h"

#include "tool_commands.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace sorami::tool {

FdOutputBuffer::FdOutputBuffer(int fd) : fd_(fd) {
    setp(buffer_, buffer_ + sizeof buffer_);
}

FdOutputBuffer::~FdOutputBuffer() {
    if (fd_ >= 0) finish();
}

bool FdOutputBuffer::drain() {
    const char* p = pbase();
    size_t left = static_cast<size_t>(pptr() - pbase());
    setp(buffer_, buffer_ + sizeof buffer_);
    if (error_ != 0) return false;
    while (left > 0) {
        const ssize_t n = ::write(fd_, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error_ = n < 0 ? errno : ENOSPC;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

FdOutputBuffer::int_type FdOutputBuffer::overflow(int_type ch) {
    if (!drain()) return traits_type::eof();
    if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
    *pptr() = traits_type::to_char_type(ch);
    pbump(1);
    return ch;
}

std::streamsize FdOutputBuffer::xsputn(const char* s, std::streamsize n) {
    std::streamsize done = 0;
    while (done < n) {
        if (error_ != 0) return done;
        const std::streamsize room = epptr() - pptr();
        if (room == 0) {
            if (!drain()) return done;
            continue;
        }
        const std::streamsize part = std::min(room, n - done);
        std::memcpy(pptr(), s + done, static_cast<size_t>(part));
        pbump(static_cast<int>(part));
        done += part;
    }
    return done;
}

int FdOutputBuffer::sync() {
    return drain() ? 0 : -1;
}

int FdOutputBuffer::finish() {
    if (fd_ < 0) return error_;
    drain();
    // The close can be the first to hear of a failed write (network file
    // systems report late). A descriptor that was closed to begin with and
    // never written to has lost nothing.
    if (::close(fd_) != 0 && errno != EINTR && errno != EBADF && error_ == 0) error_ = errno;
    fd_ = -1;
    return error_;
}

int runToolTo(int outFd, const QStringList& args, std::ostream& err, const Lang& lang,
              PngPainter png) {
    FdOutputBuffer buffer(outFd);
    std::ostream out(&buffer);
    const int code = runTool(args, out, err, lang, png);
    const int error = buffer.finish();
    if (error == 0) return code;
    err << "srmtool: "
        << utf8(lang("the output could not be written", "出力を書き込めませんでした")) << " ("
        << std::strerror(error) << ")\n";
    return code == Clean ? Findings : code;
}

void keepStandardOutputTaken() {
    if (::fcntl(STDOUT_FILENO, F_GETFD) >= 0 || errno != EBADF) return;
    // Read-only, so every write to it fails as it would have on the closed one.
    const int fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (fd >= 0 && fd != STDOUT_FILENO) {
        ::dup3(fd, STDOUT_FILENO, O_CLOEXEC);
        ::close(fd);
    }
}

} // namespace sorami::tool
