// Small helpers for tests that work with files: each test gets its own folder.
#pragma once

#include <QByteArray>
#include <QString>

namespace telm::test {

#ifdef TELM_FIXTURES_DIR
// A file in the fixtures folder of the test's layer (tests/<layer>/fixtures).
inline QString fixture(const QString& name)
{
    return QStringLiteral(TELM_FIXTURES_DIR "/") + name;
}
#endif

// The shipped data folder of the source tree (data/).
QString sourceData(const QString& relative);

QByteArray readAll(const QString& path);
bool writeAll(const QString& path, const QByteArray& bytes);

// Copies data/Blanki (templates and conditions) into <folder>/Blanki and makes
// <folder>/Data, so a test has a program folder of its own.
bool makeProgramFolder(const QString& folder);

} // namespace telm::test
