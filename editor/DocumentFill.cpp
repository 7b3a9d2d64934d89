#include "editor/DocumentFill.h"

#include "checks/Controls.h"
#include "editor/DocumentEngine.h"
#include "editor/FormProfile.h"
#include "editor/SaveControls.h"
#include "selection/Bulstat.h"
#include "selection/Catalogue.h"
#include "selection/DocumentContext.h"
#include "selection/DocumentOpening.h"
#include "selection/YearText.h"
#include "xmlfiles/DocumentChecks.h"

#include <QDir>

#include <unordered_map>

namespace telm {

namespace {

int columnOfField(const FormProfile& profile, const QString& field)
{
    for (const AmountColumn& a : profile.amounts)
        if (QString::fromLatin1(a.field) == field)
            return a.column;
    return -1;
}

FillResult badUsage(const QString& why)
{
    FillResult result;
    result.status = FillResult::Status::BadUsage;
    result.error = why;
    return result;
}

} // namespace

FillResult RunFill(const FillRequest& request)
{
    const DocType* type = DocTypeByCode(request.typeCode);
    if (!type)
        return badUsage(QStringLiteral("unknown document type code: %1").arg(request.typeCode));
    const std::optional<qint16> year = YearFromText(request.year);
    if (!year)
        return badUsage(QStringLiteral("the year must be four digits: %1").arg(request.year));
    if (!CheckBulstat(request.bulstat))
        return badUsage(QStringLiteral("invalid BULSTAT: %1").arg(request.bulstat));
    if (request.company.isEmpty())
        return badUsage(QStringLiteral("the company name is empty"));
    if (HasForbiddenCharacters(request.company))
        return badUsage(QStringLiteral("the company name holds a character XML does not allow"));
    static const QStringList months{QStringLiteral("3"), QStringLiteral("6"), QStringLiteral("9"),
                                    QStringLiteral("12")};
    if (!months.contains(request.month))
        return badUsage(QStringLiteral("the month must be 3, 6, 9 or 12: %1").arg(request.month));

    AppState state;
    state.FilePrefix = QStringLiteral("VELDOR");
    state.programFolder = request.programFolder;
    state.dataFolder = request.dataFolder;
    state.company.Bulstat = request.bulstat;
    state.company.Name = request.company;
    state.period.sQuarter = request.month;
    state.period.iYear = *year;
    state.docType.Name = type->titleText();
    state.hfGrid.Prognosis = request.forecast;

    FillResult result;
    const Opening opening = OpenFromChoices(state, *type, request.forecast);
    if (!opening.document) {
        result.error = opening.message ? opening.message->text : QString();
        return result;
    }
    result.correction = opening.document->editType == 1;
    DocumentEngine engine(state, *opening.document);
    const FormProfile& profile = engine.profile();
    if (const std::optional<UserMessage> failure = engine.load()) {
        result.error = failure->text;
        return result;
    }

    // The first row of each identifier, found once: an entry costs its commit,
    // not a search through the document.
    const GridModel& grid = engine.grid();
    std::unordered_map<QString, int> rowOfId;
    for (int row = grid.Rows() - 1; row >= grid.FixedRows(); --row)
        rowOfId[grid.TextMatrix(row, profile.idColumn)] = row;

    for (const FillEntry& entry : request.entries) {
        const int col = columnOfField(profile, entry.field);
        if (col < 0) {
            result.refused << QStringLiteral("%1: %2 is not an amount field of this document")
                                  .arg(entry.origin, entry.field);
            continue;
        }
        const auto found = rowOfId.find(entry.id);
        if (found == rowOfId.end()) {
            result.refused
                << QStringLiteral("%1: no row with identifier %2").arg(entry.origin, entry.id);
            continue;
        }
        const int row = found->second;
        if (!engine.canEdit(row, col)) {
            result.refused << QStringLiteral("%1: row %2, %3 cannot be typed into")
                                  .arg(entry.origin, entry.id, entry.field);
            continue;
        }
        if (!engine.commit(row, col, entry.amount))
            result.refused
                << QStringLiteral("%1: \"%2\" is not a number").arg(entry.origin, entry.amount);
    }

    if (const std::optional<UserMessage> warning = engine.prepareSave())
        result.warnings << warning->text;
    if (const std::optional<UserMessage> failure = engine.writeAndSave()) {
        result.error = failure->text;
        return result;
    }
    result.status = FillResult::Status::Saved;
    result.savedPath = QDir::toNativeSeparators(state.dataFilePath);
    // The consistency controls, as the form warns of them after its save.
    result.warnings << ControlFindings(state.dataFilePath, ControlsPath(state.programFolder));
    return result;
}

} // namespace telm
