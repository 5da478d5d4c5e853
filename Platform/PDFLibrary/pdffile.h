#pragma once

#include <mupdf/fitz.h>

#include <cstdint>
#include <memory>
#include <string>

// A PDF file opened once for reading, from which any number of documents
// read, each through a stream of its own: the text workers' copies of a
// document then read exactly the bytes the document was loaded from, even
// when the path has been replaced since. Reads go by offset (pread), so
// streams on different threads never disturb one another.
class PdfFile : public std::enable_shared_from_this<PdfFile>
{
public:
    // Throws EngineError FileNotFound when the file cannot be opened.
    static std::shared_ptr<const PdfFile> Open(const std::string& path);
    ~PdfFile();
    PdfFile(const PdfFile&) = delete;
    PdfFile& operator=(const PdfFile&) = delete;

    // Up to size bytes from offset; fewer at the end of the file or on a
    // read error.
    std::size_t Read(unsigned char* data, std::size_t size, int64_t offset) const;
    // A new MuPDF stream over the whole file, keeping this object alive
    // while it lives. A MuPDF call: throws MuPDF errors.
    fz_stream* OpenStream(fz_context* ctx) const;

private:
    explicit PdfFile(int descriptor, int64_t size) : mDescriptor(descriptor), mSize(size) {}

    const int mDescriptor;
    // Fixed when opened: every stream sees the same end.
    const int64_t mSize;
};
