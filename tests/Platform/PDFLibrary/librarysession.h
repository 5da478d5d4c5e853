#pragma once

#include "pdflibrarybinding.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// The stand-in library loaded through the binding, as the plug-in loads it,
// with a scratch folder for the PDFs a test makes.
class LibrarySession
{
public:
    LibrarySession();

    OmbrelPDFLibraryCPDylibCPP1311& library() { return *mLibrary; }
    QString path(const QString& name) const { return mFolder.filePath(name); }
    // A PDF of empty A4 pages, written by Qt into the folder.
    QString sample(const QString& name, int pages);

    bool load(const QString& file, const QString& password = QString());
    bool save(const QString& file);
    // A page's records, as the engine splits them.
    QStringList records(int page);

    static std::wstring wide(const QString& text) { return text.toStdWString(); }
    static QString text(const std::wstring& wide);

private:
    QTemporaryDir mFolder;
    std::unique_ptr<OmbrelPDFLibraryCPDylibCPP1311> mLibrary;
};

QString libraryFile();
// A tool's standard output; empty, with ok false, when it fails.
QString runTool(const QString& program, const QStringList& arguments, bool* ok = nullptr);
// qpdf checks the file and has nothing to warn about.
bool qpdfAccepts(const QString& file);
