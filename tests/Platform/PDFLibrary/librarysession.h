#pragma once

#include "pdflibrarybinding.h"

#include <QString>
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

    bool load(const QString& file, const QString& password = QString());
    bool save(const QString& file);
    // The selected page's records, as the engine splits them.
    QStringList records(int page);

    static std::wstring wide(const QString& text) { return text.toStdWString(); }
    static QString text(const std::wstring& wide);

private:
    QTemporaryDir mFolder;
    std::unique_ptr<OmbrelPDFLibraryCPDylibCPP1311> mLibrary;
};

// Runs a tool (qpdf, mutool) and answers its standard output; empty with
// ok false when it cannot run or fails.
QString runTool(const QString& program, const QStringList& arguments, bool* ok = nullptr);
