#include "errorhandler.h"

#include <cstdio>

CErrorHandler::CErrorHandler() = default;

CErrorHandler::~CErrorHandler()
{
    mMessages.clear();
}

void CErrorHandler::ClearAll()
{
    mMessages.clear();
}

void CErrorHandler::StoreError(QString format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    Store(format, arguments);
    va_end(arguments);
}

void CErrorHandler::Store(QString format, va_list arguments)
{
    const QString message = QString::vasprintf(format.toUtf8().constData(), arguments);
    mMessages.append(message);
    if (mMirror)
        mMirror->append(message);
}

int CErrorHandler::GetCount() const
{
    return mMessages.count();
}

QString CErrorHandler::GetAt(long index) const
{
    // Negative indices are not valid input; treat them like indices past the end.
    if (index < 0 || index >= mMessages.count())
        return QStringLiteral("Unknown error");
    return mMessages.at(static_cast<int>(index));
}

QString CErrorHandler::GetLast() const
{
    if (mMessages.isEmpty())
        return QStringLiteral("Unknown error");
    return mMessages.last();
}

void CErrorHandler::WriteToLog(const char*, bool)
{
}

void FormatExceptionReport(char (&buffer)[ExceptionReportSize], const char* file,
                           const char* function, int line)
{
    std::snprintf(buffer, sizeof buffer,
                  "==============================\nException handled: system\n"
                  "File: %s\nFunction: %s\nLine: %d\n",
                  file, function, line);
}

void StoreErrorToLog(const char*)
{
}

void AddToDebugFile(const char*, ...)
{
}

// The host allocates the object: vtable pointer, message list, mirror pointer.
static_assert(sizeof(CErrorHandler) == 24, "shared CErrorHandler size");
