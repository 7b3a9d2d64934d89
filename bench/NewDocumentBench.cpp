// Creating a new balance sheet (the shipped 106-row form) with last year's
// data file of the company beside it, against creating one with no such file:
// what the load of a new document costs when it looks for, verifies and reads
// last year's file. The two are interleaved and the medians compared.
//   cmake --build <build> --target new_document_bench && <build>/bench/new_document_bench
#include "bench/BenchProgramFolder.h"
#include "editor/Comparatives.h"
#include "editor/DocumentEngine.h"
#include "editor/DocumentFill.h"
#include "selection/Catalogue.h"
#include "selection/DocumentContext.h"
#include "selection/DocumentOpening.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace telm;

namespace {

constexpr int kRuns = 200;

// Last year's balance sheet of the company, every leaf of the current year filled.
bool saveLastYear(const QString& folder)
{
    FillRequest request;
    request.typeCode = QStringLiteral("Bal");
    request.bulstat = QStringLiteral("123456786");
    request.company = QStringLiteral("Фирма");
    request.year = QStringLiteral("2024");
    request.month = QStringLiteral("12");
    request.programFolder = folder;
    for (int id = 10; id <= 1200; id += 10)
        request.entries.push_back({QString::number(id), QStringLiteral("DocDta_Sum3"),
                                   QString::number(id * 7), QString()});
    return RunFill(request).status == FillResult::Status::Saved;
}

// One new document of the year opened as the new-document dialog opens it.
double newDocumentMs(const QString& folder, const QString& bulstat)
{
    AppState state;
    state.FilePrefix = QStringLiteral("VELDOR");
    state.programFolder = folder;
    state.company = {QStringLiteral("Фирма"), bulstat};
    state.period = {QStringLiteral("12"), 2025};
    const DocType& type = *DocTypeByCode(QStringLiteral("Bal"));
    state.docType.Name = type.titleText();
    QElapsedTimer timer;
    timer.start();
    const Opening opening = OpenFromChoices(state, type, false);
    if (!opening.document)
        return -1;
    DocumentEngine engine(state, *opening.document);
    if (engine.load())
        return -1;
    return timer.nsecsElapsed() / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid() || !bench::MakeProgramFolder(dir.path()) || !saveLastYear(dir.path())) {
        std::printf("cannot prepare the program folder\n");
        return 1;
    }
    std::vector<double> beside;
    std::vector<double> alone;
    std::vector<double> reading; // last year's file on its own: what the difference is made of
    const QString lastYear = dir.filePath(QStringLiteral("Data/VELDOR_Bal_123456786_2024_12.xml"));
    const Filing filing{QStringLiteral("123456786"), QStringLiteral("12"),
                        DocTypeByCode(QStringLiteral("Bal"))->titleText(), false};
    for (int i = 0; i < kRuns + 10; ++i) {
        const double withFile = newDocumentMs(dir.path(), QStringLiteral("123456786"));
        const double without = newDocumentMs(dir.path(), QStringLiteral("831640337"));
        if (withFile < 0 || without < 0) {
            std::printf("a new document did not open\n");
            return 1;
        }
        QElapsedTimer timer;
        timer.start();
        const PreviousYearFile read = ReadPreviousYear(lastYear, QStringList(), filing);
        const double readMs = timer.nsecsElapsed() / 1e6;
        if (!read.usable()) {
            std::printf("last year's file is not usable\n");
            return 1;
        }
        if (i >= 10) { // warmed
            beside.push_back(withFile);
            alone.push_back(without);
            reading.push_back(readMs);
        }
    }
    std::printf("new balance sheet, last year's file beside it: %.3f ms (median of %d)\n",
                median(beside), kRuns);
    std::printf("new balance sheet, no file of last year:       %.3f ms (median of %d)\n",
                median(alone), kRuns);
    std::printf("last year's file read and verified on its own:  %.3f ms (median of %d)\n",
                median(reading), kRuns);
    return 0;
}
