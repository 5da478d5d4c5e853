#include "settingsshowcommand.h"

#include "handwrittensettings.h"
#include "hosterror.h"
#include "settingsfileerror.h"
#include "settingssources.h"

#include <QTextStream>

int SettingsShowCommand::execute(const CommandRequest& request, QTextStream& out)
{
    const QString path = request.argument(0);
    SettingsSources::Source source;
    try {
        source = SettingsSources::Read(path);
    } catch (const SettingsFileError& error) {
        throw HostError(error.message());
    }
    for (int i = 0; i < source.maps.size(); ++i) {
        if (i > 0)
            out << "\n";
        out << "; " << (source.kind == SettingsSources::Kind::ActionList ? QStringLiteral("Step %1 of the ").arg(source.steps.at(i)) : QStringLiteral("The "))
            << SettingsSources::KindName(source.kind) << " " << Quoted(path) << ", as a hand-written file.\n"
            << HandWrittenSettings::write(source.maps.at(i));
    }
    return 0;
}
