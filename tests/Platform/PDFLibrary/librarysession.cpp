#include "librarysession.h"

#include <QProcess>

LibrarySession::LibrarySession()
{
    const QString library = qEnvironmentVariable("VANTORA_BIN_DIR") + "/OmbrelPDFLibraryCPDylib1311.dylib";
    mLibrary = std::make_unique<OmbrelPDFLibraryCPDylibCPP1311>(library.toStdWString());
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

QString runTool(const QString& program, const QStringList& arguments, bool* ok)
{
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(60000);
    const bool success = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (ok)
        *ok = success;
    return success ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}
