// What the program and telmtool tell the system about themselves, and Qt's own
// texts in Bulgarian.
#pragma once

#include <QString>

class QCoreApplication;

namespace telm::platform {

// The program's version, from the build ("0.1").
QString ProgramVersion();

// Organisation "TELM", the given application name and the version.
void DescribeApplication(const QString& name);

// Loads Qt's own Bulgarian catalogue (qtbase_bg) into the application, so that
// Qt's dialogs and standard buttons read in Bulgarian like the rest of the
// program. False when the catalogue is not installed.
bool InstallBulgarianQtTexts(QCoreApplication& application);

} // namespace telm::platform
