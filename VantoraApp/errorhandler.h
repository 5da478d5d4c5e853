#pragma once

#include <QList>
#include <QString>

#include <cstdarg>

// The host's error list. The host creates it and the plug-in appends to it,
// so both sides must agree on its layout: the vtable pointer (the destructor is
// the only virtual), the message list, then the optional mirror list.
class CErrorHandler
{
public:
    CErrorHandler();
    virtual ~CErrorHandler();

    void ClearAll();
    void StoreError(QString format, ...);
    void Store(QString format, va_list arguments);
    int GetCount() const;
    QString GetAt(long index) const;
    QString GetLast() const;
    void WriteToLog(const char* text, bool flag);

private:
    QList<QString> mMessages;
    QList<QString>* mMirror = nullptr;
};

// The exception report every catch site writes: one helper so the work
// procedure and the favourites store produce the same text.
constexpr int ExceptionReportSize = 1024;
void FormatExceptionReport(char (&buffer)[ExceptionReportSize], const char* file,
                           const char* function, int line);

// The debug log of the host's actions. This system keeps no log, so both
// accept their text and write nothing; AddToDebugFile is kept for the other
// actions of the host.
void StoreErrorToLog(const char* report);
void AddToDebugFile(const char* format, ...);
