#include "pdffile.h"

#include "engineerror.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct StreamState
{
    std::shared_ptr<const PdfFile> file;
    int64_t size;
    unsigned char buffer[8192];
};

int NextChunk(fz_context* ctx, fz_stream* stm, std::size_t)
{
    auto* state = static_cast<StreamState*>(stm->state);
    const int64_t left = std::max<int64_t>(0, state->size - stm->pos);
    const std::size_t wanted = static_cast<std::size_t>(std::min<int64_t>(left, sizeof state->buffer));
    const std::size_t got = state->file->Read(state->buffer, wanted, stm->pos);
    if (got < wanted)
        fz_throw(ctx, FZ_ERROR_GENERIC, "read error: %s", std::strerror(errno));
    stm->rp = state->buffer;
    stm->wp = state->buffer + got;
    stm->pos += static_cast<int64_t>(got);
    return got == 0 ? EOF : *stm->rp++;
}

// MuPDF has turned SEEK_CUR into SEEK_SET before it calls this. A target
// within the chunk read last is served from it: MuPDF seeks before nearly
// every read, to where it already is (an incremental save compares the
// whole file in steps of 256 bytes).
void SeekTo(fz_context* ctx, fz_stream* stm, int64_t offset, int whence)
{
    auto* state = static_cast<StreamState*>(stm->state);
    const int64_t target = whence == SEEK_END ? state->size + offset : offset;
    if (target < 0)
        fz_throw(ctx, FZ_ERROR_GENERIC, "cannot seek before the start of the file");
    const int64_t chunkStart = stm->pos - (stm->wp - state->buffer);
    if (stm->wp > state->buffer && target >= chunkStart && target < stm->pos)
    {
        stm->rp = state->buffer + (target - chunkStart);
        return;
    }
    stm->pos = target;
    stm->rp = stm->wp = state->buffer;
}

void DropState(fz_context*, void* state)
{
    delete static_cast<StreamState*>(state);
}

} // namespace

std::shared_ptr<const PdfFile> PdfFile::Open(const std::string& path)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        throw EngineError(EngineErrorCode::FileNotFound, "cannot open " + path);
    struct stat status;
    // A directory opens but reads nothing: its size is no length to seek in.
    const int64_t size = fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) ? status.st_size : 0;
    try
    {
        return std::shared_ptr<const PdfFile>(new PdfFile(descriptor, size));
    }
    catch (...)
    {
        ::close(descriptor);
        throw;
    }
}

PdfFile::~PdfFile()
{
    ::close(mDescriptor);
}

std::size_t PdfFile::Read(unsigned char* data, std::size_t size, int64_t offset) const
{
    std::size_t done = 0;
    while (done < size)
    {
        const ssize_t got = ::pread(mDescriptor, data + done, size - done, static_cast<off_t>(offset) + done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

fz_stream* PdfFile::OpenStream(fz_context* ctx) const
{
    auto* state = new (std::nothrow) StreamState{shared_from_this(), mSize, {}};
    if (!state)
        fz_throw(ctx, FZ_ERROR_MEMORY, "out of memory");
    // fz_new_stream drops the state itself when it fails.
    fz_stream* stream = fz_new_stream(ctx, state, NextChunk, DropState);
    stream->seek = SeekTo;
    return stream;
}
