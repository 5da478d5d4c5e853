#include "actionhistoryapi.h"

#include "actionutils.h"
#include "errorhandler.h"
#include "savedsettingskeys.h"
#include "storedfilename.h"

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSettings>

namespace {

const QString FavouriteSuffix = QStringLiteral(".ini");
const QSize StoredIconSize(42, 42);

// The file and line the host's logs have always named for this catch site.
const char* const ReportFile = "VantoraApp/CActionHistoryAPI";
constexpr int ReportLine = 53;

void WriteFavourite(const QString& path, const QMap<QString, QVariant>& prefs, const QIcon* icon)
{
    QFile::remove(path);
    QSettings favourite(path, QSettings::IniFormat);
    favourite.setValue(SavedSettingsKeys::ActionPrefs, QVariant(prefs));
    QImage image = icon ? icon->pixmap(StoredIconSize, QIcon::Normal, QIcon::Off).toImage() : QImage();
    // An icon never grows to a size it lacks; the host shows favourites at
    // exactly this size.
    if (!image.isNull() && image.size() != StoredIconSize)
        image = image.scaled(StoredIconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    favourite.setValue(SavedSettingsKeys::ActionIcon, image);
}

} // namespace

CActionHistoryAPI::CActionHistoryAPI(QString name)
    : historyName(name), historyDir(CActionUtils::GetCollectionsFolder())
{
    historyDir.setNameFilters({historyName + "*"});
    historyFiles = historyDir.entryInfoList(QDir::Files, QDir::Time | QDir::Reversed);
}

int CActionHistoryAPI::SaveSettingsToHistory(QMap<QString, QVariant>* prefs, QIcon* icon)
{
    if (!prefs)
        return 1;
    const QString name = prefs->value(SavedSettingsKeys::CollectionName).toString();
    if (!CStoredFileName::Problem(name, FavouriteSuffix).isEmpty())
        return 1;
    const QString path = CActionUtils::GetCollectionsFolder() + "/" + name + FavouriteSuffix;
    try {
        try {
            WriteFavourite(path, *prefs, icon);
            return 0;
        } catch (...) {
            char report[ExceptionReportSize];
            FormatExceptionReport(report, ReportFile, "SaveSettingsToHistory", ReportLine);
            StoreErrorToLog(report);
            throw 0;
        }
    } catch (int) {
        return 1;
    }
}

std::unique_ptr<QMap<QString, QVariant>> CActionHistoryAPI::LoadSettingsFromHistory(int n) const
{
    const int index = historyFiles.size() - 1 - (historyIndex + n);
    if (n < 1 || index < 0 || index >= historyFiles.size())
        return nullptr;
    const QSettings favourite(historyFiles.at(index).filePath(), QSettings::IniFormat);
    if (!favourite.contains(SavedSettingsKeys::ActionPrefs))
        return nullptr;
    return std::make_unique<QMap<QString, QVariant>>(favourite.value(SavedSettingsKeys::ActionPrefs).toMap());
}
