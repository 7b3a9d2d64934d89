// Importing a 2 000-account trial balance into the balance sheet and the income
// statement (the plan: map and file read and placed; then the statements
// filled, saved and the filing's controls run), against filling the same
// cells of the same two statements through telmtool fill's road. The import
// should cost about what the fill costs: the engine is the road.
//   cmake --build <build> --target import_bench && <build>/bench/import_bench
#include "bench/BenchProgramFolder.h"
#include "editor/DocumentFill.h"
#include "ledger/FilingImport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace telm;

namespace {

constexpr int kAccounts = 2000;
constexpr int kRuns = 5;

// Analytic accounts of synthetic accounts the map places, debit ones and credit
// ones in turn, and the capital taking up the difference.
QByteArray trialBalance()
{
    const char* const debits[] = {"203", "204", "302", "304", "411", "503", "601", "602", "603"};
    const char* const credits[] = {"401", "453", "702", "703", "152"};
    QByteArray text = "Сметка;Наименование;Дебит;Кредит\n";
    qint64 debit = 0, credit = 0;
    for (int i = 0; i < kAccounts - 1; ++i) {
        const qint64 stotinki = 10000 + (qint64(i) * 7919) % 900000;
        const bool isDebit = i % 3 != 2;
        const char* synthetic =
            isDebit ? debits[i % std::size(debits)] : credits[i % std::size(credits)];
        const QByteArray amount = QByteArray::number(stotinki / 100) + '.'
                                  + QByteArray::number(stotinki % 100).rightJustified(2, '0');
        text += QByteArray(synthetic) + '.' + QByteArray::number(i + 1) + ";Аналитична;"
                + (isDebit ? amount + ';' : ';' + amount) + '\n';
        (isDebit ? debit : credit) += stotinki;
    }
    const qint64 capital = debit - credit; // the debits are the more by design
    text += "101;Основен капитал;;" + QByteArray::number(capital / 100) + '.'
            + QByteArray::number(capital % 100).rightJustified(2, '0') + '\n';
    return text;
}

void clearData(const QString& folder)
{
    const QDir data(folder + QStringLiteral("/Data"));
    for (const QString& name : data.entryList(QDir::Files))
        QFile::remove(data.filePath(name));
}

FillRequest fillOf(const QString& folder, const QString& code, const StatementAmounts& amounts)
{
    FillRequest request;
    request.typeCode = code;
    request.bulstat = QStringLiteral("123456786");
    request.company = QStringLiteral("Фирма");
    request.year = QStringLiteral("2025");
    request.month = QStringLiteral("12");
    request.programFolder = folder;
    for (const StatementAmount& cell : amounts.cells)
        if (cell.target.code == code)
            request.entries.push_back({QString::number(cell.target.row), cell.target.field,
                                       QString::number(cell.leva), QStringLiteral("bench")});
    return request;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!bench::MakeProgramFolder(dir.path()))
        return 1;
    const QString tbPath = dir.filePath(QStringLiteral("tb.csv"));
    QFile tb(tbPath);
    if (!tb.open(QIODevice::WriteOnly) || tb.write(trialBalance()) < 0)
        return 1;
    tb.close();

    const ImportSources sources{dir.path(), tbPath, QString()};
    const ImportFilingRequest request{QStringLiteral("123456786"),
                                      QStringLiteral("Фирма"),
                                      QStringLiteral("2025"),
                                      QStringLiteral("12"),
                                      dir.path(),
                                      QString(),
                                      false};
    double planBest = 1e300, importBest = 1e300, fillBest = 1e300;
    StatementAmounts amounts;
    for (int run = 0; run < kRuns; ++run) {
        clearData(dir.path());
        QElapsedTimer timer;
        timer.start();
        const ImportPlan plan = PlanImport(sources);
        const double planMs = timer.nsecsElapsed() / 1e6;
        const ImportFilingResult result = ImportFiling(plan, request);
        const double importMs = timer.nsecsElapsed() / 1e6;
        if (!plan.readable() || result.status != ImportFilingResult::Status::Saved
            || !plan.amounts.unplaced.empty() || !result.skipped.isEmpty()) {
            std::printf("import did not save everything: %s%s\n", qPrintable(plan.refusal),
                        qPrintable(result.error));
            return 1;
        }
        amounts = plan.amounts;
        planBest = std::min(planBest, planMs);
        importBest = std::min(importBest, importMs);

        clearData(dir.path());
        timer.restart();
        for (const QString& code : {QStringLiteral("Bal"), QStringLiteral("OPR")})
            if (RunFill(fillOf(dir.path(), code, amounts)).status != FillResult::Status::Saved)
                return 1;
        fillBest = std::min(fillBest, timer.nsecsElapsed() / 1e6);
    }
    std::printf("%d accounts into %zu cells of Bal and OPR, best of %d runs\n", kAccounts,
                amounts.cells.size(), kRuns);
    std::printf("%-34s %10.1f ms\n", "import (plan, fill, save, controls)", importBest);
    std::printf("%-34s %10.1f ms\n", "  of which the plan", planBest);
    std::printf("%-34s %10.1f ms\n", "fill of the same cells (2 fills)", fillBest);
    return 0;
}
