#include "selection/DataFileName.h"

#include "selection/Catalogue.h"
#include "selection/DocumentContext.h"

#include <QDir>

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
