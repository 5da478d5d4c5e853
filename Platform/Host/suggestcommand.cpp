#include "suggestcommand.h"

#include "commandrequest.h"
#include "documentrecords.h"
#include "hosterror.h"
#include "opendocument.h"
#include "suggestedlevels.h"
#include "suggestedlevelsini.h"
#include "vantoraoptions.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

namespace SuggestCommand {

QString settingsFor(const DocumentRecords& records, const QString& name)
{
    const SuggestedLevels levels = SuggestedLevels::suggest(records.records());
    if (!levels.refusal.isEmpty())
        throw HostError(levels.refusal);
    return SuggestedLevelsIni::write(levels, name);
}

int execute(const CommandRequest& request, QTextStream& out)
{
    OpenDocument document(request.argument(0), request.value(VantoraOptions::Password));
    const QString settings = settingsFor(DocumentRecords(document.library()), QFileInfo(document.path()).fileName());
    const QString path = request.value(VantoraOptions::SettingsOutput);
    if (path.isEmpty()) {
        out << settings;
        return 0;
    }
    QSaveFile file(path);
    const QByteArray bytes = settings.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw HostError(QStringLiteral("%1 could not be written: %2.").arg(Quoted(path), file.errorString()));
    out << "Wrote the suggested levels to " << path << ".\n";
    return 0;
}

} // namespace SuggestCommand
