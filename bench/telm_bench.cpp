// telm_bench: load, write, verify and checksum timings on synthetic documents of
// 1 000, 10 000 and 100 000 rows, against a bare pugixml parse (and serialise),
// with the ratios the program aims for.
#include "bench/SyntheticDocument.h"
#include "editor/AmountText.h"
#include "grid/GridModel.h"
#include "xmlfiles/Checksum.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/Rowset.h"
#include "xmlfiles/XmlDocument.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <pugixml.hpp>
#include <string>

using namespace telm;

namespace {

// The grid as the writer reads it.
class ModelGrid : public WriterGrid
{
public:
    explicit ModelGrid(const GridModel& model) : m_model(model) {}
    int rowCount() const override { return m_model.Rows(); }
    int fixedRows() const override { return m_model.FixedRows(); }
    int band(int row) const override { return m_model.band(row); }
    QString text(int row, int col) const override { return m_model.TextMatrix(row, col); }

private:
    const GridModel& m_model;
};

struct StringWriter : pugi::xml_writer
{
    std::string text;
    void write(const void* data, size_t size) override
    {
        text.append(static_cast<const char*>(data), size);
    }
};

// Best of `repeats` runs, in milliseconds.
double bestOf(int repeats, const std::function<void()>& step,
              const std::function<void()>& setup = {})
{
    double best = 1e300;
    for (int i = 0; i < repeats; ++i) {
        if (setup)
            setup();
        const auto start = std::chrono::steady_clock::now();
        step();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

struct Figures
{
    double parse = 0, rowsetOnly = 0, load = 0, ownOrder = 0, parseSerialise = 0, write = 0,
           verify = 0;
    double hashMBs = 0;
    size_t bytes = 0;
};

bool g_failed = false;

void check(bool ok, const char* what)
{
    if (!ok) {
        std::printf("  FAILED: %s\n", what);
        g_failed = true;
    }
}

Figures measure(int rows, const QString& folder)
{
    Figures f;
    const std::string text = bench::SyntheticDocument(rows);
    f.bytes = text.size();
    const QString path = folder + QStringLiteral("/doc_%1.xml").arg(rows);
    std::ofstream(path.toStdString(), std::ios::binary) << text;
    const std::string file = path.toStdString();
    const int repeats = rows >= 100000 ? 5 : 15;

    f.parse = bestOf(repeats, [&] {
        pugi::xml_document doc;
        check(bool(doc.load_file(file.c_str())), "bare parse");
    });
    GridModel model;
    // A correction's load: the file's fields bound by name to the form's own
    // columns, which list two amounts the other way round and a field the file lacks.
    const QStringList layout = {"DocStr_Name",   "DocStr_Code",   "DocStr_ID",   "DocStr_ParentID",
                                "DocStr_Hidden", "DocDta_Sum1",   "DocDta_Sum3", "DocDta_Sum2",
                                "DocStr_Manual", "DocStr_Locked", "DocDta_Prev", "DocStr_Note"};
    f.load = bestOf(
        repeats,
        [&] {
            Rowset rowset;
            check(!LoadRowset(path, rowset, layout), "LoadRowset by name");
            model.bind(std::move(rowset));
        },
        [&] { model.clear(); }); // a form binds a fresh grid: the old rows are freed untimed
    f.ownOrder = bestOf(
        repeats,
        [&] {
            Rowset rowset;
            check(!LoadRowset(path, rowset), "LoadRowset");
            model.bind(std::move(rowset));
        },
        [&] { model.clear(); });
    Rowset kept;
    f.rowsetOnly = bestOf(
        repeats, [&] { check(!LoadRowset(path, kept), "LoadRowset"); }, [&] { kept = Rowset(); });
    check(model.Rows() == rows + 1, "grid rows");
    f.parseSerialise = bestOf(repeats, [&] {
        pugi::xml_document doc;
        doc.load_file(file.c_str());
        StringWriter writer;
        doc.document_element().print(writer, "", pugi::format_raw);
    });

    // Every amount cell in display form, as the form holds them.
    const std::vector<int> columns = {5, 6, 7};
    for (int r = 1; r < model.Rows(); ++r) {
        for (const int c : columns)
            model.setTextMatrix(r, c, FormatNumber(-1234567.0 * (r % 5) + r));
    }
    const ModelGrid grid(model);
    const DataHeader header{
        "12", "2024", "123456786", QStringLiteral("Фирма ООД"), QStringLiteral("Баланс"), false};
    // The save of a correction: the form's template (a hundred rows) is read
    // for the fields the file might lack.
    const QString form = folder + QStringLiteral("/form.xml");
    std::ofstream(form.toStdString(), std::ios::binary) << bench::SyntheticDocument(100);
    XmlDocument xml;
    f.write = bestOf(repeats, [&] {
        const auto error = WriteDataDocument(xml, path, grid, header,
                                             {"DocDta_Sum1", "DocDta_Sum2", "DocDta_Sum3"}, columns,
                                             0, 2, ReadAmount, form);
        check(!error, "WriteDataDocument");
    });
    const QString saved = folder + QStringLiteral("/saved_%1.xml").arg(rows);
    check(SaveDataFile(xml, saved).ok, "SaveDataFile");
    f.verify = bestOf(repeats, [&] {
        XmlDocument loaded;
        loaded.load(saved);
        check(VerifyDataHash(loaded), "VerifyDataHash");
    });

    const std::string serialised = SerializeRootUtf8(xml);
    const double hashMs = bestOf(repeats, [&] { ComputeHashUtf8(serialised); });
    f.hashMBs = serialised.size() / 1e6 / (hashMs / 1e3);
    return f;
}

const char* verdict(bool ok)
{
    return ok ? "ok" : "MISSED";
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    std::map<int, Figures> figures;
    std::printf("%8s %8s %9s %9s %10s %9s %9s %9s %8s %8s %8s\n", "rows", "MB", "parse ms",
                "load ms", "p+ser ms", "write ms", "verify ms", "hash MB/s", "load/p", "write/ps",
                "verify/ps");
    for (const int rows : {1000, 10000, 100000}) {
        const Figures f = measure(rows, dir.path());
        figures[rows] = f;
        std::printf("%8d %8.1f %9.2f %9.2f %10.2f %9.2f %9.2f %9.0f %8.2f %8.2f %8.2f\n", rows,
                    f.bytes / 1e6, f.parse, f.load, f.parseSerialise, f.write, f.verify, f.hashMBs,
                    f.load / f.parse, f.write / f.parseSerialise, f.verify / f.parseSerialise);
    }
    const Figures& small = figures[10000];
    const Figures& large = figures[100000];
    bool allOk = !g_failed;
    const auto target = [&](const char* what, double value, const char* limit, bool ok) {
        std::printf("%-44s %8.2f  (target %s) %s\n", what, value, limit, verdict(ok));
        allOk = allOk && ok;
    };
    std::printf("\nTargets at 100 000 rows:\n");
    target("load / bare parse", large.load / large.parse, "<= 3", large.load <= 3 * large.parse);
    target("write / bare parse+serialise", large.write / large.parseSerialise, "<= 5",
           large.write <= 5 * large.parseSerialise);
    target("verify / bare parse+serialise", large.verify / large.parseSerialise, "<= 5",
           large.verify <= 5 * large.parseSerialise);
    target("load 100k / 10k", large.load / small.load, "<= 12", large.load <= 12 * small.load);
    target("write 100k / 10k", large.write / small.write, "<= 12", large.write <= 12 * small.write);
    target("verify 100k / 10k", large.verify / small.verify, "<= 12",
           large.verify <= 12 * small.verify);
    std::printf("%-44s %8.2f  (reference: the machine's own scaling)\n", "bare parse 100k / 10k",
                large.parse / small.parse);
    std::printf("%-44s %8.2f  (reference)\n", "bare parse+serialise 100k / 10k",
                large.parseSerialise / small.parseSerialise);
    target("checksum MB/s", large.hashMBs, ">= 300", large.hashMBs >= 300);
    std::printf("\nLoadRowset alone at 100 000 rows: %.2f ms (%.2f x bare parse); GridModel::bind "
                "adds %.2f ms\n",
                large.rowsetOnly, large.rowsetOnly / large.parse,
                large.ownOrder - large.rowsetOnly);
    std::printf("Load by name into a form's layout at 100 000 rows: %.2f ms; in the file's own "
                "order: %.2f ms\n",
                large.load, large.ownOrder);
    return allOk ? 0 : 1;
}
