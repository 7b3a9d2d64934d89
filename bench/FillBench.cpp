// telmtool fill's cost per entry: 5 000 amounts committed into documents of
// 10 000 and 40 000 rows, less the cost of opening and saving the document,
// to set beside commit_bench's figure. Entries must not cost more as the
// document grows.
//   cmake --build <build> --target fill_bench && <build>/bench/fill_bench
#include "bench/SyntheticDocument.h"
#include "editor/AmountText.h"
#include "editor/DocumentFill.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <regex>
#include <string>

using namespace telm;

namespace {

// A program folder whose balance-sheet template is the synthetic document.
bool prepareFolder(const QTemporaryDir& dir, int rows, std::vector<std::string>& leaves)
{
    QDir(dir.path()).mkpath(QStringLiteral("Blanki"));
    QDir(dir.path()).mkpath(QStringLiteral("Data"));
    const std::string document = bench::SyntheticDocument(rows, true);
    static const std::regex leaf("<Level6 [^>]*DocStr_ID=\"(-?[0-9]+)\"");
    for (auto it = std::sregex_iterator(document.begin(), document.end(), leaf);
         it != std::sregex_iterator(); ++it)
        leaves.push_back((*it)[1].str());
    QFile file(dir.filePath(QStringLiteral("Blanki/testdata_Bal.xml")));
    return file.open(QIODevice::WriteOnly)
           && file.write(document.data(), qint64(document.size())) == qint64(document.size());
}

double fillMs(const QTemporaryDir& dir, const std::vector<FillEntry>& entries)
{
    QFile::remove(dir.filePath(QStringLiteral("Data/VELDOR_Bal_123456786_2005_12.xml")));
    FillRequest request;
    request.typeCode = QStringLiteral("Bal");
    request.bulstat = QStringLiteral("123456786");
    request.company = QStringLiteral("Фирма");
    request.year = QStringLiteral("2005");
    request.month = QStringLiteral("12");
    request.programFolder = dir.path();
    request.entries = entries;
    QElapsedTimer timer;
    timer.start();
    const FillResult result = RunFill(request);
    const double ms = timer.nsecsElapsed() / 1e6;
    if (result.status != FillResult::Status::Saved || !result.refused.isEmpty())
        std::printf("fill did not store everything: %s\n", qPrintable(result.error));
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    constexpr int kEntries = 5000;
    std::printf("%-8s %10s %14s %16s %14s\n", "rows", "entries", "fill ms", "open+save ms",
                "ms per entry");
    for (int rows : {10000, 40000}) {
        QTemporaryDir dir;
        std::vector<std::string> leaves;
        if (!prepareFolder(dir, rows, leaves))
            return 1;
        std::vector<FillEntry> entries;
        for (int i = 0; i < kEntries; ++i)
            entries.push_back({QString::fromStdString(leaves[size_t(i) % leaves.size()]),
                               QStringLiteral("DocDta_Sum3"), QString::number(i * 17 % 99991),
                               QStringLiteral("bench")});
        double best = 1e300;
        double fixed = 1e300;
        for (int run = 0; run < 3; ++run) {
            best = std::min(best, fillMs(dir, entries));
            fixed = std::min(fixed, fillMs(dir, {}));
        }
        std::printf("%-8d %10d %14.1f %16.1f %14.3f\n", rows, kEntries, best, fixed,
                    (best - fixed) / kEntries);
    }
    return 0;
}
