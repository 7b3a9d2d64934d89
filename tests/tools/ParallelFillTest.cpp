// Ten telmtool fills of one document that does not exist yet, at once, in a
// folder without Data: every fill that says it saved has its entry in the
// file, and every other one says why it did not.
#include "tests/support/TestFiles.h"
#include "xmlfiles/Checksum.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/XmlAccess.h"
#include "xmlfiles/XmlDocument.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>
#include <vector>

#include <gtest/gtest.h>

using namespace telm;

TEST(ParallelFill, NoFillThatSaysItSavedLosesItsEntry)
{
    QTemporaryDir dir;
    ASSERT_TRUE(test::makeProgramFolder(dir.path()));
    ASSERT_TRUE(QDir(dir.filePath(QStringLiteral("Data"))).removeRecursively());

    const char* ids[] = {"40", "50", "60", "70", "80", "90", "100", "120", "130", "140"};
    std::vector<std::unique_ptr<QProcess>> fills;
    for (const char* id : ids) {
        auto fill = std::make_unique<QProcess>();
        fill->start(QStringLiteral(TELMTOOL_EXE),
                    {"fill", "--type", "Bal", "--bulstat", "123456786", "--company", "Фирма",
                     "--year", "2005", "--month", "12", "--folder", dir.path(), "--set",
                     QStringLiteral("%1:DocDta_Sum3=%1").arg(QString::fromLatin1(id))});
        fills.push_back(std::move(fill));
    }
    int saved = 0;
    const QString path = dir.filePath(QStringLiteral("Data/VELDOR_Bal_123456786_2005_12.xml"));
    std::vector<const char*> savedIds;
    for (std::size_t k = 0; k < fills.size(); ++k) {
        QProcess& fill = *fills[k];
        ASSERT_TRUE(fill.waitForFinished(60000));
        const int code = fill.exitCode();
        const QString err = QString::fromUtf8(fill.readAllStandardError());
        if (code == 0 || code == 3) {
            ++saved;
            savedIds.push_back(ids[k]);
        } else {
            EXPECT_EQ(code, 1) << err.toStdString();
            EXPECT_FALSE(err.isEmpty());
        }
    }
    EXPECT_GE(saved, 1);
    XmlDocument xml;
    ASSERT_TRUE(xml.load(path));
    EXPECT_TRUE(VerifyDataHash(xml));
    for (const char* id : savedIds)
        EXPECT_EQ(
            GetNodeAttribute(SelectSingleNode(xml.doc(), RowLookupPath(4, QString::fromLatin1(id))),
                             QStringLiteral("DocDta_Sum3")),
            QString::fromLatin1(id))
            << "fill of row " << id << " said it saved";
}
