#include "writefailure.h"

#include <cerrno>
#include <cstring>

EngineErrorCode WriteFailureCause(const std::string& message)
{
    auto says = [&](int error) { return message.find(std::strerror(error)) != std::string::npos; };
    if (says(ENOSPC) || says(EDQUOT) || says(EFBIG))
        return EngineErrorCode::NoSpace;
    if (says(EACCES) || says(EPERM) || says(EROFS))
        return EngineErrorCode::PermissionDenied;
    // MuPDF's output errors name the file operation that failed; any other
    // error came from an object it could not write.
    for (const char* output : {"cannot open file", "cannot fwrite", "cannot write", "cannot fflush", "cannot fclose",
                               "cannot seek", "cannot create", "cannot replace"})
        if (message.rfind(output, 0) == 0)
            return EngineErrorCode::CannotWrite;
    return EngineErrorCode::Damaged;
}

