// The small balance sheet the engine and form tests work on: a program folder
// of the test's own with the fixture as the balance-sheet template.
#pragma once

#include "editor/AmountText.h"
#include "selection/DocumentContext.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>

namespace telm::test {

// Grid rows of tests/editor/fixtures/balance_small.xml.
constexpr int kAssets = 1, kFixed = 2, kLand = 3, kBuildings = 4, kCurrent = 5, kMaterials = 6,
              kReceivables = 7, kOfClients = 8, kDeferred = 9, kLiabilities = 10, kCapital = 12;

inline QString nbsp(const char* text)
{
    return QString::fromUtf8(text).replace(u' ', QChar(0x00A0));
}

// Lays out the program folder and the context of a balance sheet of company
// 123456786 for 12/2005; amounts grouped with a no-break space.
inline bool prepareBalance(const QString& folder, AppState& state, const QString& company)
{
    QDir(folder).mkpath(QStringLiteral("Blanki"));
    QDir(folder).mkpath(QStringLiteral("Data"));
    if (!QFile::copy(fixture(QStringLiteral("balance_small.xml")),
                     folder + QStringLiteral("/Blanki/testdata_Bal.xml")))
        return false;
    state.FilePrefix = QStringLiteral("VELDOR");
    state.programFolder = folder;
    state.company = {company, QStringLiteral("123456786")};
    state.period = {QStringLiteral("12"), 2005};
    state.docType.Name = QStringLiteral("Баланс");
    return true;
}

} // namespace telm::test
