#pragma once

#include "engineerror.h"
#include "libraryinstance.h"
#include "pdfdocument.h"

#include <exception>
#include <mutex>
#include <new>
#include <string>

// The shell of every entry point: one call into an instance at a time, an
// unknown instance id answers the neutral value, and no error of any kind
// leaves the library; it becomes the neutral value and LastErrorCode.
template <typename Result, typename Work>
Result GuardedEntry(int instanceID, Result neutral, Work&& work)
{
    const std::shared_ptr<LibraryInstance> instance = LibraryInstances::Find(instanceID);
    if (!instance)
        return neutral;
    std::lock_guard<std::mutex> guard(instance->CallLock());
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

// The same for calls that need a loaded document but make no MuPDF call on
// it: they need not wait for the prefetch thread's page.
template <typename Result, typename Work>
Result DocumentStateEntry(int instanceID, Result neutral, Work&& work)
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

// Calls that work on the loaded document through MuPDF, holding its access
// lock against the prefetch thread.
template <typename Result, typename Work>
Result DocumentEntry(int instanceID, Result neutral, Work&& work)
{
    return DocumentStateEntry(instanceID, neutral, [&](LibraryInstance& instance, PdfDocument& document) {
        std::lock_guard<std::mutex> access(document.Access());
        return work(instance, document);
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

// A wide-string call on the document that takes the access lock itself,
// only around its MuPDF calls.
template <typename Work>
wchar_t* WideDocumentStateEntry(int instanceID, Work&& work)
{
    return WideResultEntry(instanceID, [&](LibraryInstance& instance) {
        PdfDocument* document = instance.Document();
        if (!document)
            throw EngineError(EngineErrorCode::NoDocument, "no document loaded");
        return work(instance, *document);
    });
}

template <typename Work>
wchar_t* WideDocumentEntry(int instanceID, Work&& work)
{
    return WideDocumentStateEntry(instanceID, [&](LibraryInstance& instance, PdfDocument& document) {
        std::lock_guard<std::mutex> access(document.Access());
        return work(instance, document);
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
            std::lock_guard<std::mutex> access(document->Access());
            return work(instance, *document);
        }));
    });
}
