#pragma once

#include <stdexcept>
#include <string>

// What LastErrorCode reports after a failed call.
enum class EngineErrorCode
{
    None = 0,
    FileNotFound = 1,     // the file cannot be opened for reading
    NotAPdf = 2,          // no PDF header and nothing MuPDF can repair
    Damaged = 3,          // a PDF that MuPDF cannot read or repair
    PasswordRequired = 4, // encrypted, and the password is missing or wrong
    CannotWrite = 5,      // the output file or its temporary cannot be written, for another reason
    Engine = 6,           // any other error raised by MuPDF
    NoDocument = 7,       // the call needs a loaded document
    NoSpace = 8,          // the output's device or quota is full
    PermissionDenied = 9, // the output or its folder may not be written
    TooComplex = 10,      // a page's text takes more work than a page may take
};

// A MuPDF error (or one of ours) carried across C++ frames, which a longjmp
// must never cross.
class EngineError : public std::runtime_error
{
public:
    EngineError(EngineErrorCode code, const std::string& message)
        : std::runtime_error(message), mCode(code) {}
    EngineErrorCode Code() const { return mCode; }

private:
    EngineErrorCode mCode;
};
