#pragma once

#include "hosterror.h"

#include <QString>

#include <memory>

class OmbrelPDFLibraryCPDylibCPP1311;

// A PDF file loaded into its own instance of the PDF library, as the desktop
// host holds the document it hands to an action. Everything that can be told
// before the library sees the file (missing, unreadable, not a PDF) is checked
// first, so the user gets the plainest reason.
// The file is protected and the password was missing or wrong: a window host
// asks for it again.
class PasswordError : public HostError
{
public:
    using HostError::HostError;
};

class OpenDocument
{
public:
    // Throws a HostError when the library cannot be loaded or the file opened.
    OpenDocument(const QString& path, const QString& password);
    ~OpenDocument();

    OmbrelPDFLibraryCPDylibCPP1311& library() { return *mLibrary; }
    const QString& path() const { return mPath; }
    int pageCount();

    // Saves the document (with whatever the action changed) to path; throws a
    // HostError when the library reports a failure.
    void saveTo(const QString& path);

    // The stand-in PDF library beside the running executable.
    static QString libraryPath();

private:
    QString mPath;
    std::unique_ptr<OmbrelPDFLibraryCPDylibCPP1311> mLibrary;
};
