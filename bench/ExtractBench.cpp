// telmtool verify and telmtool extract over many real-size data files: files
// per second, extract's cost against verify's on the same files, and extract's
// scaling from one job to two. The files are five statements of one filing
// (balance sheet, income statement, cash flows, equity, receivables), cloned
// under different BULSTATs with their checksums made anew.
//   cmake --build <build> --target extract_bench && <build>/bench/extract_bench [FILES]
#include "bench/BenchProgramFolder.h"
#include "editor/AmountText.h"
#include "editor/DocumentFill.h"
#include "selection/Catalogue.h"
#include "tools/Telmtool.h"
#include "xmlfiles/Checksum.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/XmlDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <streambuf>

using namespace telm;

namespace {

// Counts what is written and keeps none of it.
class CountingBuffer : public std::streambuf
{
public:
    std::size_t bytes = 0;

protected:
    std::streamsize xsputn(const char*, std::streamsize n) override
    {
        bytes += static_cast<std::size_t>(n);
        return n;
    }
    int overflow(int c) override
    {
        ++bytes;
        return c;
    }
};

struct Base
{
    const char* code;
    std::vector<std::pair<const char*, const char*>> amounts; // id, field=amount
};

QStringList makeFiles(const QString& folder, int count)
{
    const Base bases[] = {
        {"Bal", {{"510", "DocDta_Sum3"}, {"400", "DocDta_Sum3"}, {"610", "DocDta_Sum3"}}},
        {"OPR", {{"40", "DocDta_Sum1"}, {"400", "DocDta_Sum1"}, {"300", "DocDta_Sum1"}}},
        {"MFlow", {{"20", "DocDta_Sum1"}, {"390", "DocDta_Sum1"}}},
        {"Cap", {{"10", "DocDta_Sum1"}, {"170", "DocDta_Sum1"}}},
        {"Take", {{"60", "DocDta_Sum2"}, {"70", "DocDta_Sum3"}}},
    };
    std::vector<XmlDocument> documents(std::size(bases));
    for (std::size_t b = 0; b < std::size(bases); ++b) {
        FillRequest request{QString::fromLatin1(bases[b].code),
                            false,
                            QStringLiteral("123456786"),
                            QStringLiteral("Фирма ООД"),
                            QStringLiteral("2025"),
                            QStringLiteral("12"),
                            QStringLiteral(TELM_PROGRAM_DIR),
                            QString(),
                            {}};
        request.programFolder = folder;
        int k = 1;
        for (const auto& [id, field] : bases[b].amounts)
            request.entries.push_back({QString::fromLatin1(id), QString::fromLatin1(field),
                                       QString::number(1000 * k++), QString()});
        const FillResult result = RunFill(request);
        if (result.status != FillResult::Status::Saved) {
            std::fprintf(stderr, "fill %s: %s\n", bases[b].code, qPrintable(result.error));
            return {};
        }
        documents[b].load(QDir::fromNativeSeparators(result.savedPath));
    }
    QDir(folder).mkpath(QStringLiteral("Many"));
    QStringList files;
    for (int i = 0; i < count; ++i) {
        const std::size_t b = static_cast<std::size_t>(i) % documents.size();
        XmlDocument& xml = documents[b];
        const QString bulstat = QString::number(100000000 + i / 5);
        WriteDataHeader(
            xml, DataHeader{QStringLiteral("12"), QStringLiteral("2025"), bulstat,
                            QStringLiteral("Фирма ООД"),
                            DocTypeByCode(QString::fromLatin1(bases[b].code))->titleText(), false});
        const QString hash = ComputeRootHash(xml);
        xml.root().attribute("hash").set_value(hash.toUtf8().constData());
        const QString path = QStringLiteral("%1/Many/%2_%3.xml").arg(folder).arg(i).arg(bulstat);
        if (!SaveDataFile(xml, path).ok)
            return {};
        files << path;
    }
    return files;
}

// Best of `runs` wall times of one telmtool command over the files.
double bestMs(const QStringList& args, int runs, std::size_t& outputBytes)
{
    double best = 1e300;
    for (int r = 0; r < runs; ++r) {
        CountingBuffer buffer;
        std::ostream out(&buffer);
        std::ostream err(&buffer);
        QElapsedTimer timer;
        timer.start();
        tool::RunTelmtool(args, out, err);
        best = std::min(best, timer.nsecsElapsed() / 1e6);
        outputBytes = buffer.bytes;
    }
    return best;
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
    const QStringList files = makeFiles(dir.path(), count);
    if (files.isEmpty())
        return 1;
    std::printf("%lld files made in %.1f s\n", static_cast<long long>(files.size()),
                made.nsecsElapsed() / 1e9);

    std::size_t bytes = 0;
    const double verify = bestMs(QStringList{"verify"} + files, 3, bytes);
    const double extract1 = bestMs(QStringList{"extract", "--jobs", "1"} + files, 3, bytes);
    const std::size_t csvBytes = bytes;
    const double extract2 = bestMs(QStringList{"extract", "--jobs", "2"} + files, 3, bytes);
    const double n = static_cast<double>(files.size());
    std::printf("verify            %8.0f ms  %7.0f files/s\n", verify, n / verify * 1000);
    std::printf("extract --jobs 1  %8.0f ms  %7.0f files/s  (%.2f x verify)  CSV %.1f MB\n",
                extract1, n / extract1 * 1000, extract1 / verify, csvBytes / 1e6);
    std::printf("extract --jobs 2  %8.0f ms  %7.0f files/s  (%.2f x one job)\n", extract2,
                n / extract2 * 1000, extract1 / extract2);
    return 0;
}
