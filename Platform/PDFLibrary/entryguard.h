#pragma once

#include "engineerror.h"
#include "libraryinstance.h"
#include "pdfdocument.h"

#include <exception>
#include <mutex>
#include <new>
#include <string>

// The shell of every entry point: one call into the library at a time, an
// unknown instance id answers the neutral value, and no error of any kind
// leaves the library; it becomes the neutral value and LastErrorCode.
template <typename Result, typename Work>
Result GuardedEntry(int instanceID, Result neutral, Work&& work)
{
    std::lock_guard<std::mutex> guard(LibraryInstances::Lock());
    LibraryInstance* instance = LibraryInstances::Find(instanceID);
    if (!instance)
        return neutral;
    try
    {
        return work(*instance);
    }
    catch (const EngineError& error)
    {
        instance->SetLastError(error.Code());
    }
    catch (...)
    {
        instance->SetLastError(EngineErrorCode::Engine);
    }
    return neutral;
}

// The same for calls that need a loaded document.
template <typename Result, typename Work>
Result DocumentEntry(int instanceID, Result neutral, Work&& work)
{
    return GuardedEntry(instanceID, neutral, [&](LibraryInstance& instance) -> Result {
        PdfDocument* document = instance.Document();
        if (!document)
        {
            instance.SetLastError(EngineErrorCode::NoDocument);
            return neutral;
        }
        return work(instance, *document);
    });
}

// Runs work and records its failure; the answer is empty then.
template <typename Text, typename Work>
Text TextOrEmpty(LibraryInstance& instance, Work&& work)
{
    try
    {
        return work();
    }
    catch (const EngineError& error)
    {
        instance.SetLastError(error.Code());
    }
    catch (...)
    {
        instance.SetLastError(EngineErrorCode::Engine);
    }
    return Text();
}

// A wide-string result kept in the instance. It is replaced on every call,
// failed ones included, so ULRStringResultLength never reports a stale length.
template <typename Work>
wchar_t* WideResultEntry(int instanceID, Work&& work)
{
    return GuardedEntry(instanceID, static_cast<wchar_t*>(nullptr), [&](LibraryInstance& instance) {
        return instance.WideResult(TextOrEmpty<std::wstring>(instance, [&] { return work(instance); }));
    });
}

template <typename Work>
wchar_t* WideDocumentEntry(int instanceID, Work&& work)
{
    return WideResultEntry(instanceID, [&](LibraryInstance& instance) {
        PdfDocument* document = instance.Document();
        if (!document)
            throw EngineError(EngineErrorCode::NoDocument, "no document loaded");
        return work(instance, *document);
    });
}

// The byte-string counterpart, for ULRAnsiStringResultLength.
template <typename Work>
char* ByteDocumentEntry(int instanceID, Work&& work)
{
    return GuardedEntry(instanceID, static_cast<char*>(nullptr), [&](LibraryInstance& instance) {
        return instance.ByteResult(TextOrEmpty<std::string>(instance, [&] {
            PdfDocument* document = instance.Document();
            if (!document)
                throw EngineError(EngineErrorCode::NoDocument, "no document loaded");
            return work(instance, *document);
        }));
    });
}
