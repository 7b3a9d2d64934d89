#include "platform/Application.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace telm::platform {

QString ProgramVersion()
{
    return QStringLiteral(TELM_VERSION);
}

void DescribeApplication(const QString& name)
{
    QCoreApplication::setOrganizationName(QStringLiteral("TELM"));
    QCoreApplication::setApplicationName(name);
    QCoreApplication::setApplicationVersion(ProgramVersion());
}

bool InstallBulgarianQtTexts(QCoreApplication& application)
{
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_bg"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace telm::platform
