#include "editor/DocumentFill.h"

#include "checks/Controls.h"
#include "editor/AmountText.h"
#include "editor/DocumentEngine.h"
#include "editor/FormProfile.h"
#include "editor/SaveControls.h"
#include "platform/RegularFile.h"
#include "selection/Catalogue.h"
#include "selection/DataFileName.h"
#include "selection/DocumentContext.h"
#include "selection/DocumentOpening.h"
#include "selection/NewDocumentChecks.h"
#include "xmlfiles/DataFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

struct PreparedFill::Open
{
    AppState state;
    std::optional<OpenedDocument> document;
    std::unique_ptr<DocumentEngine> engine;
};

FillResult RunFill(const FillRequest& request)
{
    PreparedFill fill(request);
    if (!fill.ready())
        return fill.result();
    return fill.save();
}

PreparedFill::PreparedFill(const FillRequest& request) : m_open(std::make_unique<Open>())
{
    AppState& state = m_open->state;
    state.FilePrefix = kFilePrefix;
    state.programFolder = request.programFolder;
    state.dataFolder = request.dataFolder;
    state.hfGrid.Prognosis = request.forecast;
    // The new-document dialog's own checks and messages.
    const NewDocumentChoices choices{request.month, request.year, request.bulstat, request.company,
                                     DocTypeByCode(request.typeCode)};
    if (const std::optional<UserMessage> failure = TakeNewDocumentChoices(choices, state)) {
        m_result = badUsage(failure->text);
        return;
    }
    const DocType* type = choices.type;

    Opening opening = OpenFromChoices(state, *type, request.forecast);
    if (!opening.document) {
        m_result.error = opening.message ? opening.message->text : QString();
        return;
    }
    m_open->document = std::move(opening.document);
    m_result.correction = m_open->document->editType == 1;
    m_open->engine = std::make_unique<DocumentEngine>(state, *m_open->document);
    DocumentEngine& engine = *m_open->engine;
    const FormProfile& profile = engine.profile();
    if (const std::optional<UserMessage> failure = engine.load()) {
        m_result.error = failure->text;
        m_open->engine.reset();
        return;
    }
    if (const std::optional<UserMessage>& notice = engine.comparativesNotice())
        m_result.warnings << notice->text;

    // The first row of each identifier, found once: an entry costs its commit,
    // not a search through the document.
    const GridModel& grid = engine.grid();
    std::unordered_map<QString, int> rowOfId;
    for (int row = grid.Rows() - 1; row >= grid.FixedRows(); --row)
        rowOfId[grid.TextMatrix(row, profile.idColumn)] = row;

    for (const FillEntry& entry : request.entries) {
        const int col = engine.columnOfField(entry.field);
        if (col < 0) {
            m_result.refused << QStringLiteral("%1: %2 is not an amount field of this document")
                                    .arg(entry.origin, entry.field);
            continue;
        }
        const auto found = rowOfId.find(entry.id);
        if (found == rowOfId.end()) {
            m_result.refused
                << QStringLiteral("%1: no row with identifier %2").arg(entry.origin, entry.id);
            continue;
        }
        const int row = found->second;
        if (!engine.canEdit(row, col)) {
            m_result.refused << QStringLiteral("%1: row %2, %3 cannot be typed into")
                                    .arg(entry.origin, entry.id, entry.field);
            continue;
        }
        if (!engine.commit(row, col, entry.amount))
            m_result.refused << QStringLiteral("%1: \"%2\": %3")
                                    .arg(entry.origin, entry.amount,
                                         EntryRefusalMessage(entry.amount).replace(u'\n', u' '));
    }

    if (const std::optional<UserMessage> warning = engine.prepareSave())
        m_balanceWarning = warning->text;

    // What the save will write over, to put back if it must be undone. A
    // correction's file (through a link, the file it names) and the kept
    // previous version beside it.
    m_path = engine.targetPath();
    if (m_result.correction) {
        const QFileInfo target(m_path);
        if (target.isSymLink())
            m_path = target.canonicalFilePath();
        QString reason;
        m_oldBytes = platform::ReadRegularFile(m_path, reason);
        m_backupPath = m_path + QStringLiteral(".bak");
        m_backupThere = QFileInfo::exists(m_backupPath) || QFileInfo(m_backupPath).isSymLink();
        if (m_backupThere)
            m_oldBackup = platform::ReadRegularFile(m_backupPath, reason);
    }
}

PreparedFill::~PreparedFill() = default;

bool PreparedFill::ready() const
{
    return m_open->engine && m_result.status == FillResult::Status::NotSaved
           && m_result.error.isEmpty();
}

const FillResult& PreparedFill::save(bool withControls)
{
    if (!ready())
        return m_result;
    m_attempted = true;
    AppState& state = m_open->state;
    if (const std::optional<UserMessage> failure = m_open->engine->writeAndSave()) {
        m_result.error = failure->text;
        return m_result;
    }
    m_result.status = FillResult::Status::Saved;
    m_result.savedPath = QDir::toNativeSeparators(state.dataFilePath);
    // The balance check and the consistency controls, as the form lists them
    // after its save.
    if (withControls)
        m_result.warnings << FindingTexts(m_open->engine->check());
    return m_result;
}

std::optional<QString> PreparedFill::undoSave()
{
    // A save that failed may have written the previous version (.bak) of a
    // correction before its data file could not be: that is put back too.
    if (!m_attempted)
        return std::nullopt;
    const bool saved = m_result.status == FillResult::Status::Saved;
    QStringList failures;
    if (!m_result.correction) {
        QFile file(m_path);
        if (saved && file.exists() && !file.remove())
            failures << QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(m_path),
                                                     file.errorString());
    } else {
        // A failed save left the data file as it was: it is written atomically.
        if (saved) {
            if (!m_oldBytes)
                failures << QStringLiteral("%1: предишното съдържание не е прочетено")
                                .arg(QDir::toNativeSeparators(m_path));
            else if (const SaveResult back = SaveBytes(*m_oldBytes, m_path); !back.ok)
                failures << back.error;
        }
        // The .bak: its old bytes, or removed when there was none; a folder
        // there (which the save does not replace) is left alone.
        if (m_oldBackup) {
            if (const SaveResult back = ReplaceNameWithBytes(*m_oldBackup, m_backupPath); !back.ok)
                failures << back.error;
        } else if (!m_backupThere) {
            QFile backup(m_backupPath);
            if (backup.exists() && !backup.remove())
                failures << QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(m_backupPath),
                                                         backup.errorString());
        }
    }
    m_attempted = false;
    m_result.status = FillResult::Status::NotSaved;
    m_result.savedPath.clear();
    if (failures.isEmpty())
        return std::nullopt;
    return failures.join(QStringLiteral("; "));
}

} // namespace telm
