// The desk's model over many data files: the headers of 10 000 files read by
// a fresh scanner (cold: nothing read before, the files in the system's cache)
// and again by the same scanner (warm: only sizes and times compared); then
// every filing verified and its controls run, cold and warm. The files are
// five statements of one filing cloned under different BULSTATs with their
// checksums made anew.
//   cmake --build <build> --target desk_bench && <build>/bench/desk_bench [FILES]
#include "bench/BenchProgramFolder.h"
#include "checks/Controls.h"
#include "desk/DeskScanner.h"
#include "editor/DocumentFill.h"
#include "selection/Catalogue.h"
#include "selection/DataFileName.h"
#include "xmlfiles/Checksum.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/DataHeader.h"
#include "xmlfiles/XmlDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace telm;

namespace {

bool makeFiles(const QString& folder, int count)
{
    const char* const codes[] = {"Bal", "OPR", "MFlow", "Cap", "Take"};
    std::vector<XmlDocument> documents(std::size(codes));
    for (std::size_t b = 0; b < std::size(codes); ++b) {
        FillRequest request;
        request.typeCode = QString::fromLatin1(codes[b]);
        request.bulstat = QStringLiteral("123456786");
        request.company = QStringLiteral("Фирма ООД");
        request.year = QStringLiteral("2025");
        request.month = QStringLiteral("12");
        request.programFolder = folder;
        request.dataFolder = folder + QStringLiteral("/Base");
        QDir(folder).mkpath(QStringLiteral("Base"));
        const FillResult result = RunFill(request);
        if (result.status != FillResult::Status::Saved) {
            std::fprintf(stderr, "fill %s: %s\n", codes[b], qPrintable(result.error));
            return false;
        }
        documents[b].load(QDir::fromNativeSeparators(result.savedPath));
    }
    QDir(folder).mkpath(QStringLiteral("Data"));
    for (int i = 0; i < count; ++i) {
        const std::size_t b = static_cast<std::size_t>(i) % documents.size();
        XmlDocument& xml = documents[b];
        const QString bulstat = QString::number(100000000 + i / 5);
        const DocType* type = DocTypeByCode(QString::fromLatin1(codes[b]));
        WriteDataHeader(xml, DataHeader{QStringLiteral("12"), QStringLiteral("2025"), bulstat,
                                        QStringLiteral("Фирма %1 ООД").arg(i / 5),
                                        type->titleText(), false});
        const QString hash = ComputeRootHash(xml);
        xml.root().attribute("hash").set_value(hash.toUtf8().constData());
        const QString path =
            ComposeDataFilePath(folder + QStringLiteral("/Data"), kFilePrefix, type->codeFor(false),
                                bulstat, 2025, QStringLiteral("12"));
        if (!SaveDataFile(xml, path).ok)
            return false;
    }
    return true;
}

template <typename F>
double ms(F&& run)
{
    QElapsedTimer timer;
    timer.start();
    run();
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::max(5, std::atoi(argv[1])) : 10000;
    QTemporaryDir dir;
    if (!bench::MakeProgramFolder(dir.path()))
        return 1;
    QElapsedTimer made;
    made.start();
    if (!makeFiles(dir.path(), count))
        return 1;
    std::printf("%d files made in %.1f s\n", count, made.nsecsElapsed() / 1e9);
    const QString data = dir.filePath(QStringLiteral("Data"));
    const auto number = [](qint64 v) { return QString::number(v); };

    double cold = 1e300, warm = 1e300, checkCold = 1e300, checkWarm = 1e300;
    std::size_t files = 0, filings = 0;
    for (int run = 0; run < 5; ++run) {
        DeskScanner scanner(ControlsPath(dir.path()), number);
        DeskSnapshot desk;
        cold = std::min(cold, ms([&] { desk = scanner.ReadHeaders(data); }));
        files = desk.files.size();
        filings = desk.filings.size();
        warm = std::min(warm, ms([&] { desk = scanner.ReadHeaders(data); }));
        if (run < 2) {
            checkCold = std::min(checkCold, ms([&] { scanner.CheckFilings(desk); }));
            desk = scanner.ReadHeaders(data);
            checkWarm = std::min(checkWarm, ms([&] { scanner.CheckFilings(desk); }));
        }
    }
    std::printf("%zu files in %zu filings (best of 5; checks best of 2)\n", files, filings);
    std::printf("headers, cold   %8.0f ms   (goal <= 2000 ms)\n", cold);
    std::printf("headers, warm   %8.1f ms   (goal <= 200 ms)\n", warm);
    std::printf("verify + controls of every filing, cold  %8.0f ms\n", checkCold);
    std::printf("verify + controls of every filing, warm  %8.1f ms\n", checkWarm);
    return 0;
}
