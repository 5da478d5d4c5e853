#include "librarysession.h"
#include "samplepdf.h"

#include <QProcess>

LibrarySession::LibrarySession()
    : mLibrary(std::make_unique<OmbrelPDFLibraryCPDylibCPP1311>(libraryFile().toStdWString()))
{
}

QString LibrarySession::sample(const QString& name, int pages)
{
    SamplePdf pdf;
    pdf.ensurePages(pages);
    return pdf.write(path(name)) ? path(name) : QString();
}

bool LibrarySession::load(const QString& file, const QString& password)
{
    return mLibrary->LoadFromFile(wide(file), wide(password)) == 1;
}

bool LibrarySession::save(const QString& file)
{
    return mLibrary->SaveToFile(wide(file)) == 1;
}

QStringList LibrarySession::records(int page)
{
    mLibrary->SelectPage(page);
    mLibrary->SetTextExtractionOptions(1, 0);
    const QString all = text(mLibrary->GetPageText(3));
    return all.isEmpty() ? QStringList() : all.split('\n');
}

QString LibrarySession::text(const std::wstring& wide)
{
    return QString::fromUcs4(reinterpret_cast<const uint*>(wide.data()), static_cast<int>(wide.size()));
}

QString libraryFile()
{
    return qEnvironmentVariable("VANTORA_BIN_DIR") + "/OmbrelPDFLibraryCPDylib1311.dylib";
}

QString runTool(const QString& program, const QStringList& arguments, bool* ok)
{
    QProcess process;
    process.start(program, arguments);
    const bool success = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
    if (ok)
        *ok = success;
    return success ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

bool qpdfAccepts(const QString& file)
{
    bool ok = false;
    return !runTool("qpdf", {"--check", file}, &ok).contains("WARNING") && ok;
}
