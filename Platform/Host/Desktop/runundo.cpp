#include "runundo.h"

#include "hosterror.h"
#include "opendocument.h"
#include "pdflibrarybinding.h"

#include <QDir>
#include <QTemporaryFile>

RunUndo::RunUndo() = default;

RunUndo::~RunUndo() = default;

void RunUndo::remember(OpenDocument& document)
{
    auto snapshot = std::make_unique<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("vantora-undo-XXXXXX.pdf")));
    if (!snapshot->open())
        throw HostError(QStringLiteral("No room for the undo copy in %1.").arg(Quoted(QDir::tempPath())));
    snapshot->close();
    document.saveTo(snapshot->fileName());
    mSnapshot = std::move(snapshot);
}

void RunUndo::undo(OpenDocument& document, const QString& password)
{
    if (!mSnapshot)
        return;
    if (document.library().LoadFromFile(mSnapshot->fileName().toStdWString(), password.toStdWString()) == 0)
        throw HostError(QStringLiteral("The copy kept for undo could not be read back."));
    mSnapshot.reset();
}

void RunUndo::forget()
{
    mSnapshot.reset();
}
