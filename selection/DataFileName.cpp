#include "selection/DataFileName.h"

#include "selection/Catalogue.h"
#include "selection/DocumentContext.h"

#include <QDir>
#include <QFileInfo>

namespace telm {

QString ComposeDataFilePath(const QString& dataFolder, const QString& prefix, const QString& code,
                            const QString& bulstat, qint16 year, const QString& periodMonth)
{
    return QDir::toNativeSeparators(dataFolder) + QDir::separator() + prefix + u'_' + code + u'_'
           + bulstat + u'_' + QString::number(year) + u'_' + periodMonth + QStringLiteral(".xml");
}

QString DataFilePathFor(const AppState& state, const DocType& type, bool forecast)
{
    return ComposeDataFilePath(state.dataFolderPath(), state.FilePrefix, type.codeFor(forecast),
                               state.company.Bulstat, state.period.iYear, state.period.sQuarter);
}

QString PreviousYearPath(const QString& dataFilePath)
{
    const QFileInfo info(dataFilePath);
    if (info.suffix() != QStringLiteral("xml"))
        return QString();
    QStringList parts = info.completeBaseName().split(u'_');
    if (parts.size() < 5)
        return QString();
    QString& year = parts[parts.size() - 2];
    bool ok = false;
    const int value = year.toInt(&ok);
    if (!ok || year != QString::number(value) || value <= 1)
        return QString();
    year = QString::number(value - 1);
    return QDir::toNativeSeparators(info.dir().filePath(parts.join(u'_') + QStringLiteral(".xml")));
}

QString TemplatePath(const QString& programFolder, const DocType& type)
{
    return programFolder + QDir::separator()
           + QDir::toNativeSeparators(QString::fromLatin1(type.templateFile));
}

QString ConditionsPath(const QString& programFolder)
{
    return programFolder + QDir::separator() + QStringLiteral("Blanki") + QDir::separator()
           + QStringLiteral("Conditions.xml");
}

} // namespace telm
