#include "opendocument.h"

#include "filenamecodec.h"
#include "hosterror.h"
#include "pdflibrarybinding.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The library's LastErrorCode values.
enum LibraryError {
    FileNotFound = 1, NotAPdf = 2, Damaged = 3, PasswordRequired = 4, CannotWrite = 5, NoSpace = 8, PermissionDenied = 9
};

// A PDF's header may follow some junk; readers look in the first kilobyte.
bool HasPdfHeader(QFile& file)
{
    return file.read(1024).contains("%PDF-");
}

void CheckReadablePdf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw HostError(QStringLiteral("The file %1 does not exist.").arg(Quoted(path)));
    if (info.isDir())
        throw HostError(QStringLiteral("%1 is a folder, not a PDF file.").arg(Quoted(path)));
    // A pipe or device would block the open, or never end.
    if (!info.isFile())
        throw HostError(QStringLiteral("%1 is not a regular file.").arg(Quoted(path)));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw HostError(QStringLiteral("The file %1 cannot be read.").arg(Quoted(path)));
    if (!HasPdfHeader(file))
        throw HostError(QStringLiteral("%1 is not a PDF file.").arg(Quoted(path)));
}

} // namespace

OpenDocument::OpenDocument(const QString& path, const QString& password)
    : mPath(path)
{
    CheckReadablePdf(path);
    const QString library = libraryPath();
    mLibrary = std::make_unique<OmbrelPDFLibraryCPDylibCPP1311>(library.toStdWString());
    if (!mLibrary->LibraryLoaded())
        throw HostError(QStringLiteral("The PDF library %1 could not be loaded.").arg(Quoted(library)));

    if (mLibrary->LoadFromFile(FileNameCodec::toLibrary(QFileInfo(path).absoluteFilePath()), password.toStdWString()) != 0)
        return;
    switch (mLibrary->LastErrorCode()) {
    case PasswordRequired:
        throw PasswordError(password.isEmpty()
                            ? QStringLiteral("%1 is protected by a password; give it with --password.").arg(Quoted(path))
                            : QStringLiteral("The password for %1 is wrong.").arg(Quoted(path)));
    case NotAPdf:
        throw HostError(QStringLiteral("%1 is not a PDF file.").arg(Quoted(path)));
    case FileNotFound:
        throw HostError(QStringLiteral("The file %1 cannot be read.").arg(Quoted(path)));
    default:
        throw HostError(QStringLiteral("%1 is damaged beyond repair and cannot be opened.").arg(Quoted(path)));
    }
}

OpenDocument::~OpenDocument() = default;

int OpenDocument::pageCount()
{
    return mLibrary->PageCount();
}

void OpenDocument::saveTo(const QString& path)
{
    if (mLibrary->SaveToFile(FileNameCodec::toLibrary(path)) != 0)
        return;
    switch (mLibrary->LastErrorCode()) {
    case NoSpace:
        throw HostError(QStringLiteral("%1 could not be written: no space left on the device.").arg(Quoted(path)));
    case PermissionDenied:
        throw HostError(QStringLiteral("%1 could not be written: permission denied.").arg(Quoted(path)));
    case CannotWrite:
        throw HostError(QStringLiteral("The PDF library could not write %1.").arg(Quoted(path)));
    case Damaged:
        throw HostError(QStringLiteral("The document could not be saved: it is damaged (%1 holds an object that cannot "
                                       "be written).")
                            .arg(Quoted(mPath)));
    default:
        throw HostError(QStringLiteral("The PDF library could not save the document."));
    }
}

QString OpenDocument::libraryPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("OmbrelPDFLibraryCPDylib1311.dylib"));
}
