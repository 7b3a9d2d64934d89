#include "editor/PaperSheetOf.h"

#include "editor/AmountText.h"
#include "editor/DocumentEngine.h"
#include "editor/FormLayout.h"
#include "editor/FormProfile.h"
#include "grid/GridModel.h"
#include "selection/Catalogue.h"
#include "selection/DocumentContext.h"

#include <QDate>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <set>

namespace telm {

namespace {

// The columns the form shows: those its band-0 widths name, in column order.
std::vector<int> shownColumns(const FormProfile& profile)
{
    std::set<int> columns;
    for (const ResizeWidth& w : profile.resizeWidths)
        if (w.percent > 0)
            columns.insert(w.column);
    columns.insert(0);
    return {columns.begin(), columns.end()};
}

bool isAmountColumn(const FormProfile& profile, int col)
{
    return std::any_of(profile.amounts.begin(), profile.amounts.end(),
                       [col](const AmountColumn& a) { return a.column == col; })
           || std::any_of(profile.previousYear.begin(), profile.previousYear.end(),
                          [col](const CaptionedColumn& c) { return c.column == col; });
}

// The day the file on paper was saved; nothing (a dotted line) while what is
// printed differs from it.
QString savedOn(const DocumentEngine& engine)
{
    const QFileInfo file(engine.targetPath());
    if (!file.isFile() || !engine.saved())
        return QString();
    return file.lastModified().date().toString(QStringLiteral("dd.MM.yyyy"));
}

// A data file's own BULSTAT; the context's for a new document.
QString BulstatOf(const DocumentEngine& engine)
{
    return engine.header().bulstat.isEmpty() ? engine.state().company.Bulstat
                                             : engine.header().bulstat;
}

} // namespace

bool StatementAtDate(const QString& code)
{
    static const QStringList atDate{QStringLiteral("Bal"), QStringLiteral("BalLiq"),
                                    QStringLiteral("BalLiq2"), QStringLiteral("Take"),
                                    QStringLiteral("Liab")};
    return atDate.contains(code);
}

QString AmountInUnit(const QString& text, PaperUnit unit)
{
    if (unit == PaperUnit::Leva)
        return text;
    const std::optional<double> value = ReadAmount(text);
    if (!value)
        return text;
    return FormatNumber(std::round(*value / 1000.0));
}

QString PdfFileName(const DocumentEngine& engine)
{
    const AppState& state = engine.state();
    return QStringLiteral("%1_%2_%3-%4")
        .arg(PaperTitle(engine.docType().titleText()), BulstatOf(engine))
        .arg(state.period.iYear)
        .arg(state.period.sQuarter.toInt(), 2, 10, QChar(u'0'));
}

PaperSheet PaperSheetOf(const DocumentEngine& engine, const PaperOptions& options)
{
    const FormProfile& profile = engine.profile();
    const GridModel& grid = engine.grid();
    const AppState& state = engine.state();
    const QString code = QString::fromLatin1(engine.docType().code);

    PaperSheet sheet;
    SheetTitle& title = sheet.title;
    title.typeTitle = PaperTitle(engine.docType().titleText());
    title.unitLine = UnitLine(options.unit);
    title.compiler = options.compiler;
    title.manager = options.manager;
    title.blank = options.blank;
    if (options.blank) {
        title.periodLine = BlankPeriodLine(StatementAtDate(code));
    } else {
        title.company =
            engine.header().company.isEmpty() ? state.company.Name : engine.header().company;
        title.bulstat = BulstatOf(engine);
        title.periodLine =
            PeriodLine(StatementAtDate(code), state.period.sQuarter.toInt(), state.period.iYear);
        title.forecast = engine.header().forecast;
        title.compiledOn = savedOn(engine);
    }
    sheet.preferLandscape = profile.landscape;

    const std::vector<int> columns = shownColumns(profile);
    for (int col : columns) {
        PaperColumn column;
        column.heading = grid.TextMatrix(0, col);
        column.kind = col == 0                    ? PaperColumnKind::Title
                      : col == profile.codeColumn ? PaperColumnKind::Code
                                                  : PaperColumnKind::Amount;
        if (column.kind == PaperColumnKind::Amount && !isAmountColumn(profile, col))
            column.kind = PaperColumnKind::Code;
        sheet.columns.push_back(column);
    }
    for (int row = 1; row < grid.Rows(); ++row) {
        PaperRow paper;
        paper.level = grid.band(row);
        paper.heading = grid.hasChildren(row);
        paper.bold = paper.level == 0 || paper.heading;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            QString text = grid.TextMatrix(row, columns[i]);
            if (sheet.columns[i].kind == PaperColumnKind::Amount)
                text = options.blank ? QString() : AmountInUnit(text.trimmed(), options.unit);
            else
                text = text.simplified();
            paper.cells.push_back(text);
        }
        sheet.rows.push_back(std::move(paper));
    }
    return sheet;
}

std::optional<UserMessage> LoadForPaper(DocumentEngine& engine, bool blank)
{
    if (std::optional<UserMessage> failure = engine.load())
        return failure;
    // Laid out for the screen's sake only: paper reads the columns' captions and texts.
    ApplyLoadLayout(engine.profile(), engine.maxLevel(), engine.grid(), 10000);
    if (engine.typedComparatives() && !blank)
        MarkTypedComparatives(engine.profile(), engine.grid());
    return std::nullopt;
}

} // namespace telm
