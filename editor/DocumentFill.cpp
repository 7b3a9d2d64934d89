#include "editor/DocumentFill.h"

#include "checks/Controls.h"
#include "editor/AmountText.h"
#include "editor/DocumentEngine.h"
#include "editor/FormProfile.h"
#include "editor/SaveControls.h"
#include "selection/Catalogue.h"
#include "selection/DataFileName.h"
#include "selection/DocumentContext.h"
#include "selection/DocumentOpening.h"
#include "selection/NewDocumentChecks.h"

#include <QDir>

#include <unordered_map>

namespace telm {

namespace {

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
    AppState state;
    state.FilePrefix = kFilePrefix;
    state.programFolder = request.programFolder;
    state.dataFolder = request.dataFolder;
    state.hfGrid.Prognosis = request.forecast;
    // The new-document dialog's own checks and messages.
    const NewDocumentChoices choices{request.month, request.year, request.bulstat, request.company,
                                     DocTypeByCode(request.typeCode)};
    if (const std::optional<UserMessage> failure = TakeNewDocumentChoices(choices, state))
        return badUsage(failure->text);
    const DocType* type = choices.type;

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
    if (const std::optional<UserMessage>& notice = engine.comparativesNotice())
        result.warnings << notice->text;

    // The first row of each identifier, found once: an entry costs its commit,
    // not a search through the document.
    const GridModel& grid = engine.grid();
    std::unordered_map<QString, int> rowOfId;
    for (int row = grid.Rows() - 1; row >= grid.FixedRows(); --row)
        rowOfId[grid.TextMatrix(row, profile.idColumn)] = row;

    for (const FillEntry& entry : request.entries) {
        const int col = engine.columnOfField(entry.field);
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
            result.refused << QStringLiteral("%1: \"%2\": %3")
                                  .arg(entry.origin, entry.amount,
                                       EntryRefusalMessage(entry.amount).replace(u'\n', u' '));
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
