// Cost of one committed entry on a 10 000-row balance-like document: the entry
// put into display form, the row's derived column, and the ancestor totals of
// the edited and the derived column. Target: under 2 ms per commit.
//
// It times the same commit again with listeners on the grid, as the document
// form has them: the engine's changed state, a record of every change (what an
// undo stack keeps) and a count of cells to repaint; then with the engine's
// edit history, each commit one step pushed on its undo stack, and the undo of
// those steps.
//
// For comparison it also times the plain form of the same commit, which climbs
// with SearchParent through every row it stops at and sums a group by scanning
// every row below it to the end of the grid, and checks that both leave the
// same cells.
#include "editor/AmountText.h"
#include "editor/EditHistory.h"
#include "editor/EditRules.h"
#include "editor/FormProfile.h"
#include "editor/LevelTotals.h"
#include "grid/GridModel.h"
#include "xmlfiles/Rowset.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <time.h>
#include <vector>

using namespace telm;

namespace {

constexpr int kCols = 11;
constexpr int kEdit = 7;
constexpr int kManual = 8;
constexpr int kFanOut[] = {2, 6, 5, 5, 4, 7}; // six levels, 9 974 rows

void addRows(Rowset& rowset, int band, const QString& parent, int& nextId, std::mt19937& random)
{
    for (int i = 0; i < kFanOut[band]; ++i) {
        RowsetRow row;
        row.band = band;
        row.hasChildren = band + 1 < static_cast<int>(std::size(kFanOut));
        row.cells.assign(kCols, QString());
        const QString id = QString::number(nextId++);
        row.cells[0] = band == 0 ? (i == 0 ? QStringLiteral("АКТИВ") : QStringLiteral("ПАСИВ"))
                                 : QStringLiteral("Статия %1").arg(id);
        row.cells[2] = id;
        row.cells[3] = parent;
        // Some groups take typed amounts, so commits also land at shallower depths.
        const bool manual = row.hasChildren && band >= 2 && nextId % 17 == 0;
        row.cells[kManual] = manual ? QStringLiteral("True") : QStringLiteral("False");
        row.cells[9] = QStringLiteral("0");
        if (!row.hasChildren) {
            row.cells[6] = FormatNumber(static_cast<double>(random() % 5000));
            row.cells[7] = FormatNumber(static_cast<double>(random() % 100000));
        }
        rowset.rows.push_back(std::move(row));
        if (band + 1 < static_cast<int>(std::size(kFanOut)))
            addRows(rowset, band + 1, id, nextId, random);
    }
}

Rowset makeDocument()
{
    Rowset rowset;
    for (int c = 0; c < kCols; ++c)
        rowset.fields << QStringLiteral("F%1").arg(c);
    rowset.levels = 6;
    std::mt19937 random(7);
    int nextId = 1;
    addRows(rowset, 0, QString(), nextId, random);
    return rowset;
}

// The plain group sum: a scan of every row below the group.
double sumLevelToEnd(const GridModel& grid, int pRow, int col)
{
    if (ReadFlag(grid.TextMatrix(pRow, kManual)))
        return 0.0;
    const QString id = grid.TextMatrix(pRow, 2);
    double total = 0.0;
    for (int r = pRow + 1; r < grid.Rows(); ++r) {
        if (grid.TextMatrix(r, 3) == id)
            total += AmountOrZero(grid.TextMatrix(r, col));
    }
    return total;
}

void updateAncestorsToEnd(GridModel& grid, int row, int editCol, int derivedCol)
{
    for (int p = SearchParent(grid, row); p >= grid.FixedRows(); p = SearchParent(grid, p)) {
        if (ReadFlag(grid.TextMatrix(p, kManual)))
            continue;
        grid.setTextMatrix(p, editCol, FormatNumber(sumLevelToEnd(grid, p, editCol)));
        grid.setTextMatrix(p, derivedCol, FormatNumber(sumLevelToEnd(grid, p, derivedCol)));
    }
}

// Brings every total of the document up to date, deepest rows first, as a
// saved document carries them.
void settleTotals(const FormProfile& profile, GridModel& grid)
{
    for (int r = grid.Rows() - 1; r >= grid.FixedRows(); --r) {
        if (!grid.hasChildren(r)) {
            RecomputeDerived(profile, grid, r);
        } else if (!ReadFlag(grid.TextMatrix(r, kManual))) {
            grid.setTextMatrix(r, kEdit, FormatNumber(SumLevel(grid, r, kEdit, kManual)));
            grid.setTextMatrix(r, profile.derived.column,
                               FormatNumber(SumLevel(grid, r, profile.derived.column, kManual)));
        } else {
            grid.setTextMatrix(r, kEdit, QStringLiteral("1 000"));
            grid.setTextMatrix(r, profile.derived.column, QStringLiteral("1 000"));
        }
    }
}

struct Timing
{
    double meanMs = 0;
    double medianMs = 0;
    double p99Ms = 0;
    double worstMs = 0;
    double worstCpuMs = 0; // thread CPU time: a busy machine's preemption left out
};

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

template <typename Commit>
Timing timeCommits(GridModel& grid, const std::vector<int>& rows, Commit commit)
{
    using Clock = std::chrono::steady_clock;
    std::vector<double> times;
    times.reserve(rows.size());
    double worstCpu = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QString entry =
            QString::number(static_cast<int>(i * 37 % 90000)) + QStringLiteral(",6");
        const double cpuStart = threadCpuMs();
        const auto start = Clock::now();
        commit(grid, rows[i], entry);
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        worstCpu = std::max(worstCpu, threadCpuMs() - cpuStart);
    }
    Timing t;
    t.worstCpuMs = worstCpu;
    for (double ms : times)
        t.meanMs += ms / static_cast<double>(times.size());
    std::sort(times.begin(), times.end());
    t.medianMs = times[times.size() / 2];
    t.p99Ms = times[times.size() * 99 / 100];
    t.worstMs = times.back();
    return t;
}

void printTiming(const char* label, const Timing& t)
{
    std::printf("  %s:\n    wall: mean %.3f ms, median %.3f ms, 99th percentile %.3f ms, "
                "worst %.3f ms; CPU: worst %.3f ms\n",
                label, t.meanMs, t.medianMs, t.p99Ms, t.worstMs, t.worstCpuMs);
}

} // namespace

int main()
{
    const FormProfile& profile = ProfileFor(FormId::frmDocBalance);
    const Rowset document = makeDocument();

    GridModel grid;
    grid.bind(document);
    settleTotals(profile, grid);
    GridModel reference = grid;
    GridModel heard = grid;
    GridModel undoable = grid;
    bool changed = false;
    std::vector<CellChange> record;
    record.reserve(20000);
    int repaints = 0;
    heard.addListener(
        {.cellChanged = [&](const CellChange& c) { changed = changed || c.isEdit(); }});
    heard.addListener({.cellChanged = [&](const CellChange& c) { record.push_back(c); }});
    heard.addListener({.cellChanged = [&](const CellChange&) { ++repaints; }});
    EditHistory history(undoable);

    // Rows spread over the document: the first, last and middle leaves, random
    // leaves, and the manual-entry groups of bands 2 to 4.
    std::vector<int> leaves;
    std::vector<int> manualGroups;
    for (int r = 1; r < grid.Rows(); ++r) {
        if (!grid.hasChildren(r))
            leaves.push_back(r);
        else if (ReadFlag(grid.TextMatrix(r, kManual)))
            manualGroups.push_back(r);
    }
    std::vector<int> rows{leaves.front(), leaves.back(), leaves[leaves.size() / 2]};
    rows.insert(rows.end(), manualGroups.begin(), manualGroups.end());
    std::mt19937 random(11);
    while (rows.size() < 500)
        rows.push_back(leaves[random() % leaves.size()]);

    const Timing bounded =
        timeCommits(grid, rows, [&](GridModel& g, int row, const QString& entry) {
            g.setTextMatrix(row, kEdit, FormatAmount(entry));
            RecomputeDerived(profile, g, row);
            UpdateAncestors(g, row, kEdit, profile.derived.column, profile.manualColumn);
        });
    const Timing listened =
        timeCommits(heard, rows, [&](GridModel& g, int row, const QString& entry) {
            g.setTextMatrix(row, kEdit, FormatAmount(entry), CellChange::Kind::Typed);
            RecomputeDerived(profile, g, row);
            UpdateAncestors(g, row, kEdit, profile.derived.column, profile.manualColumn);
        });
    const Timing stepped =
        timeCommits(undoable, rows, [&](GridModel& g, int row, const QString& entry) {
            history.record(QStringLiteral("въвеждане"), [&] {
                g.setTextMatrix(row, kEdit, FormatAmount(entry), CellChange::Kind::Typed);
                RecomputeDerived(profile, g, row);
                UpdateAncestors(g, row, kEdit, profile.derived.column, profile.manualColumn);
            });
        });
    const int steps = history.stack().count();
    // Every step undone and redone again, one at a time.
    const Timing undone =
        timeCommits(undoable, rows, [&](GridModel&, int, const QString&) { history.undo(); });
    const bool undoneToStart = history.isClean();
    const Timing redone =
        timeCommits(undoable, rows, [&](GridModel&, int, const QString&) { history.redo(); });
    const Timing toEnd =
        timeCommits(reference, rows, [&](GridModel& g, int row, const QString& entry) {
            g.setTextMatrix(row, kEdit, FormatAmount(entry));
            RecomputeDerived(profile, g, row);
            updateAncestorsToEnd(g, row, kEdit, profile.derived.column);
        });

    int differing = 0;
    for (int r = 0; r < grid.Rows(); ++r) {
        for (int c = 0; c < kCols; ++c)
            differing += grid.TextMatrix(r, c) != reference.TextMatrix(r, c)
                                 || grid.TextMatrix(r, c) != heard.TextMatrix(r, c)
                                 || grid.TextMatrix(r, c) != undoable.TextMatrix(r, c)
                             ? 1
                             : 0;
    }

    std::printf("commit on a %d-row document of %d levels: %zu commits, %zu of them on "
                "manual-entry groups\n",
                grid.Rows() - 1, static_cast<int>(std::size(kFanOut)), rows.size(),
                manualGroups.size());
    printTiming("ancestors only, sums within the subtree", bounded);
    printTiming("the same with three listeners on the grid", listened);
    std::printf("    %zu changes heard (%d repaints), changed: %s\n", record.size(), repaints,
                changed ? "yes" : "no");
    printTiming("the same, each commit one step on the undo stack", stepped);
    printTiming("one step undone", undone);
    printTiming("one step redone", redone);
    std::printf("    %d steps, all undone back to the start: %s\n", steps,
                undoneToStart ? "yes" : "no");
    printTiming("plain climb, sums to the end of the grid", toEnd);
    std::printf("  target: under 2 ms per commit\n");
    std::printf("  cells differing between them: %d\n", differing);
    const bool fast = bounded.worstCpuMs < 2.0 && listened.worstCpuMs < 2.0
                      && stepped.worstCpuMs < 2.0 && undone.worstCpuMs < 2.0
                      && redone.worstCpuMs < 2.0;
    return differing == 0 && changed && undoneToStart && fast ? 0 : 1;
}
