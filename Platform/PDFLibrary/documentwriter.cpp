#include "documentwriter.h"

#include "enginecall.h"
#include "writefailure.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// A temporary file in the target's folder (so the rename stays on one file
// system), removed again unless it was committed.
class TemporaryFile
{
public:
    explicit TemporaryFile(const std::string& target)
    {
        const std::size_t slash = target.rfind('/');
        const std::string folder = slash == std::string::npos ? std::string(".") : target.substr(0, slash);
        const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
        std::vector<char> pattern;
        const std::string templ = folder + "/." + base + ".XXXXXX";
        pattern.assign(templ.begin(), templ.end());
        pattern.push_back('\0');
        const int fd = mkstemp(pattern.data());
        if (fd < 0)
        {
            const std::string message = "cannot create a file in " + folder + ": " + std::strerror(errno);
            throw EngineError(WriteFailureCause(message), message);
        }
        // mkstemp's 0600 would survive the rename: keep the replaced file's
        // mode, or give a new file the usual one.
        struct stat existing;
        mode_t mode = 0;
        if (stat(target.c_str(), &existing) == 0)
            mode = existing.st_mode & 07777;
        else
        {
            mode = umask(0);
            umask(mode);
            mode = 0666 & ~mode;
        }
        fchmod(fd, mode);
        close(fd);
        mPath = pattern.data();
    }
    ~TemporaryFile()
    {
        if (!mPath.empty())
            std::remove(mPath.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& Path() const { return mPath; }

    void CommitTo(const std::string& target)
    {
        if (std::rename(mPath.c_str(), target.c_str()) != 0)
        {
            const std::string message = "cannot replace " + target + ": " + std::strerror(errno);
            throw EngineError(WriteFailureCause(message), message);
        }
        mPath.clear();
    }

private:
    std::string mPath;
};

void WriteTo(fz_context* ctx, pdf_document* doc, const std::string& path, WriteMode mode,
             int64_t originalStartXref)
{
    pdf_write_options options = pdf_default_write_options;
    fz_output* out = nullptr;
    EngineCall(ctx, [&] {
        fz_var(out);
        fz_try(ctx)
        {
            out = fz_new_output_with_path(ctx, path.c_str(), 0);
            if (mode == WriteMode::Incremental)
            {
                // MuPDF copies the bytes it read the document from (its open
                // stream, not the path, which may have been replaced since)
                // into the empty output, then appends. Copied here first,
                // they would only be read back and compared.
                options.do_incremental = 1;
                // MuPDF points /Prev at its last save; our update follows
                // the original bytes instead.
                doc->startxref = originalStartXref;
            }
            else
            {
                options.do_garbage = 1;
                options.do_compress = 1;
            }
            pdf_write_document(ctx, doc, out, &options);
            fz_close_output(ctx, out);
        }
        fz_always(ctx)
            fz_drop_output(ctx, out);
        fz_catch(ctx)
            fz_rethrow(ctx);
    }, EngineErrorCode::CannotWrite);
}

} // namespace

void WriteDocument(fz_context* ctx, pdf_document* doc, const std::string& path, WriteMode mode,
                   int64_t originalStartXref)
{
    if (path.empty())
        throw EngineError(EngineErrorCode::CannotWrite, "no file name");
    TemporaryFile temporary(path);
    try
    {
        WriteTo(ctx, doc, temporary.Path(), mode, originalStartXref);
    }
    catch (const EngineError& failure)
    {
        throw EngineError(WriteFailureCause(failure.what()), failure.what());
    }
    temporary.CommitTo(path);
}
