#include "app/AccountMapSetting.h"

#include <QSettings>

namespace telm {

namespace {

QString settingsKey(const QString& bulstat)
{
    return QStringLiteral("import/%1/accounts").arg(bulstat);
}

} // namespace

QString RememberedAccountMap(const QString& bulstat)
{
    if (bulstat.isEmpty())
        return QString();
    return QSettings().value(settingsKey(bulstat)).toString();
}

void RememberAccountMap(const QString& bulstat, const QString& path)
{
    if (bulstat.isEmpty())
        return;
    QSettings settings;
    if (path.isEmpty())
        settings.remove(settingsKey(bulstat));
    else
        settings.setValue(settingsKey(bulstat), path);
}

} // namespace telm
