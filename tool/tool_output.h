#pragma once
// srmtool's standard output. A script reads srmtool's exit status, so output
// that never arrived (a full disk, /dev/full, a closed standard output) must
// not end with 0: every write is checked, and so are the last flush and the
// close.

#include "tool_chart.h"
#include "tool_text.h"

#include <QStringList>
#include <ostream>
#include <streambuf>

namespace sorami::tool {

// A stream buffer over a file descriptor that remembers the first failure.
// After one, the rest of the output is dropped, so a command whose output
// cannot go anywhere does not go on producing it.
class FdOutputBuffer : public std::streambuf {
public:
    explicit FdOutputBuffer(int fd);
    ~FdOutputBuffer() override;
    FdOutputBuffer(const FdOutputBuffer&) = delete;
    FdOutputBuffer& operator=(const FdOutputBuffer&) = delete;

    // Writes out what is buffered and closes the descriptor. 0 when every
    // byte arrived, otherwise the error number of the first failure.
    int finish();

protected:
    int_type overflow(int_type ch) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

private:
    bool drain();
    int fd_;
    int error_ = 0;
    char buffer_[64 * 1024];
};

// runTool with its output written to `outFd` (the program's standard
// output), which is closed at the end. Output that could not be written
// turns a clean run into exit status 1, with a message on `err`; a run that
// failed already keeps its own status.
int runToolTo(int outFd, const QStringList& args, std::ostream& err, const Lang& lang,
              PngPainter png = nullptr);

// A closed standard output must stay one that fails: were descriptor 1 free,
// the first file srmtool opens would take its number and receive the output
// meant for the terminal. Call before anything is opened.
void keepStandardOutputTaken();

} // namespace sorami::tool
