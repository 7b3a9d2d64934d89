#include "editor/DocumentEngine.h"

#include "checks/Controls.h"
#include "checks/Statement.h"
#include "editor/AmountText.h"
#include "editor/ConditionalSums.h"
#include "editor/EditRules.h"
#include "editor/LevelTotals.h"
#include "editor/SaveControls.h"
#include "platform/DocumentLock.h"
#include "platform/RegularFile.h"
#include "selection/Catalogue.h"
#include "selection/DataFileName.h"
#include "selection/DocumentContext.h"
#include "selection/YearText.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/DocumentChecks.h"
#include "xmlfiles/FormFields.h"
#include "xmlfiles/Rowset.h"
#include "xmlfiles/VerifiedDataFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace telm {

namespace {

const QString kTamperTitle = QStringLiteral("Грешка");
const QString kTamperText = QStringLiteral("XML файлът е бил променен неоторизирано!");
const QString kSaveTitle = QStringLiteral("Внимание!");

// The writer reads the grid through this view.
class GridWriterView : public WriterGrid
{
public:
    explicit GridWriterView(const GridModel& grid) : m_grid(grid) {}
    int rowCount() const override { return m_grid.Rows(); }
    int fixedRows() const override { return m_grid.FixedRows(); }
    int band(int row) const override { return m_grid.band(row); }
    QString text(int row, int col) const override { return m_grid.TextMatrix(row, col); }

private:
    const GridModel& m_grid;
};

UserMessage cannotOpen(const QString& path, const QString& why)
{
    return UserMessage{kTamperTitle,
                       QStringLiteral("Документът не може да бъде отворен:\n%1\n\n%2")
                           .arg(QDir::toNativeSeparators(path), why),
                       UserMessage::Icon::Critical};
}

UserMessage broken(const QString& path, const QString& fault)
{
    return UserMessage{kTamperTitle,
                       QStringLiteral("Файлът %1 е повреден: %2. Документът не е отворен.")
                           .arg(QDir::toNativeSeparators(path), fault),
                       UserMessage::Icon::Critical};
}

int highestColumn(const FormProfile& p)
{
    int high = std::max({p.codeColumn, p.idColumn, p.parentColumn, p.manualColumn, p.lockedColumn});
    for (const AmountColumn& a : p.amounts)
        high = std::max(high, a.column);
    for (const CaptionedColumn& c : p.previousYear)
        high = std::max(high, c.column);
    for (int c : p.hiddenColumns)
        high = std::max(high, c);
    return high;
}

} // namespace

DocumentEngine::DocumentEngine(AppState& state, const OpenedDocument& document, Access access)
    : m_state(state), m_access(access), m_document(document),
      m_profile(ProfileFor(document.type->form))
{
    for (const AmountColumn& a : m_profile.amounts) {
        m_amountFields << QString::fromLatin1(a.field);
        m_amountColumns.push_back(a.column);
    }
    m_writtenFields = m_amountFields;
    m_writtenColumns = m_amountColumns;
    // The engine owns the grid, so the listener lives exactly as long as it.
    m_grid.addListener({.cellChanged = [this](const CellChange& change) { heard(change); }});
}

DocumentEngine::~DocumentEngine() = default;

int DocumentEngine::maxLevel() const
{
    return MaxLevelFor(m_profile, docType());
}

void DocumentEngine::heard(const CellChange& change)
{
    // Only what the user did is a change to ask about on close; a computed
    // total follows from one, and loading is no edit at all.
    if (change.isEdit())
        m_changed = true;
}

std::optional<UserMessage> DocumentEngine::load()
{
    m_changed = false;
    m_grid.clear();
    m_sourceDigest.clear();
    const QString path = m_document.path;

    // One writer at a time: the program and telmtool lock the data file while
    // they have it open.
    m_lock.reset();
    if (m_access == Access::Edit) {
        if (m_document.editType == 0)
            QDir().mkpath(QFileInfo(targetPath()).absolutePath()); // a fresh folder may lack Data
        m_lock = std::make_unique<platform::DocumentLock>(targetPath());
        switch (m_lock->state()) {
        case platform::DocumentLock::State::HeldElsewhere:
            m_lock.reset();
            return UserMessage{kSaveTitle,
                               QStringLiteral("Документът %1 е отворен другаде – в програмата или "
                                              "от telmtool. Затворете го там и опитайте отново.")
                                   .arg(QDir::toNativeSeparators(targetPath())),
                               UserMessage::Icon::Critical};
        case platform::DocumentLock::State::Refused: {
            const QString reason = m_lock->reason();
            m_lock.reset();
            return UserMessage{kSaveTitle,
                               QStringLiteral("Документът %1 не може да бъде отворен: %2.")
                                   .arg(QDir::toNativeSeparators(targetPath()), reason),
                               UserMessage::Icon::Critical};
        }
        case platform::DocumentLock::State::Held:
            // A new document is decided under the lock: if another writer saved
            // it since it was chosen as new, writing now would lose their entries.
            if (m_document.editType == 0 && QFileInfo::exists(targetPath())) {
                m_lock.reset();
                return UserMessage{kSaveTitle,
                                   QStringLiteral("Документът %1 междувременно е записан другаде. "
                                                  "Отворете го отново, за да го коригирате.")
                                       .arg(QDir::toNativeSeparators(targetPath())),
                                   UserMessage::Icon::Critical};
            }
            break;
        case platform::DocumentLock::State::Unavailable:
            break; // shown, but a save will refuse: no writing without the lock
        }
    }

    // The document shown is the one checked: read once, verified (a data file),
    // checked for what would make it ambiguous, then loaded into the grid.
    XmlDocument templateXml;
    XmlDocument& xml = m_document.editType == 1 ? m_state.xml : templateXml;
    QByteArray bytes;
    const FileRole role = m_document.editType == 1 ? FileRole::DataFile : FileRole::Template;
    if (const std::optional<DataFileFault> fault = OpenDocumentFile(path, role, xml, bytes)) {
        switch (fault->kind) {
        case DataFileFault::Kind::Unreadable: return cannotOpen(path, fault->detail);
        case DataFileFault::Kind::NotWellFormed:
            return cannotOpen(path, QStringLiteral("не е XML: %1").arg(fault->detail));
        case DataFileFault::Kind::Ambiguous: return broken(path, fault->detail);
        case DataFileFault::Kind::NotADataFile:
        case DataFileFault::Kind::NoChecksum:
        case DataFileFault::Kind::Tampered: break;
        }
        return UserMessage{kTamperTitle, kTamperText, UserMessage::Icon::Critical};
    }
    m_sourceDigest = BytesDigest(bytes);

    // The grid's columns are the form's own: the template's fields in its order.
    // A data file's values go to them by field name, whatever its schema's order.
    Rowset form;
    if (m_document.editType == 1) {
        if (LoadRowset(formPath(), form))
            return UserMessage{kSaveTitle,
                               QStringLiteral("Не съществува коректен структурен файл!"),
                               UserMessage::Icon::Critical};
    }
    Rowset rowset;
    if (const std::optional<RowsetError> error =
            LoadRowset(xml.doc(), rowset, m_document.editType == 1 ? form.fields : QStringList()))
        return cannotOpen(path, error->message);
    const QString noStructure = QStringLiteral("Файлът %1 няма структурата на документа \"%2\"")
                                    .arg(QDir::toNativeSeparators(path), docType().titleText());
    if (rowset.fields.size() <= highestColumn(m_profile) || rowset.rows.empty())
        return UserMessage{kTamperTitle, noStructure + u'.', UserMessage::Icon::Critical};
    if (m_document.editType == 1) {
        if (const std::optional<QString> fault = FormRowsFault(form, rowset, m_profile.idColumn))
            return UserMessage{kTamperTitle, noStructure + QStringLiteral(": ") + *fault + u'.',
                               UserMessage::Icon::Critical};
    }
    // A file saved when the form typed rows it now computes: its totals are
    // made whole once it is loaded.
    const bool olderFlags =
        m_document.editType == 1
        && TakeFormFlags(form, rowset, {m_profile.manualColumn, m_profile.lockedColumn},
                         m_profile.idColumn);

    // Amounts in display form before the grid sees them: loading is one reset,
    // never a series of cell changes.
    std::vector<int> reformatted = m_amountColumns;
    reformatted.insert(reformatted.end(), m_profile.previousYearReformatted.begin(),
                       m_profile.previousYearReformatted.end());
    for (const CaptionedColumn& c : m_profile.previousYear)
        if (c.carriedFrom >= 0)
            reformatted.push_back(c.column);
    for (RowsetRow& row : rowset.rows)
        for (int col : reformatted)
            if (col < static_cast<int>(row.cells.size()))
                row.cells[col] = FormatAmount(row.cells[col]);

    const QStringList fields = rowset.fields;
    m_grid.bind(std::move(rowset));
    m_state.hfGrid.setMaxLevel(maxLevel());

    if (m_document.editType == 0) {
        const DataHeader& header = m_document.header;
        m_header.period = header.periodMonth + u'/' + header.yearText;
        m_header.company = header.companyName;
        m_header.bulstat = header.bulstat;
        m_header.forecast = header.forecast;
    } else {
        // A correction shows the header of the file it verified.
        const StoredHeader stored = ReadDataHeader(xml);
        m_header.period = stored.period;
        m_header.company = stored.company;
        m_header.bulstat = stored.bulstat;
        m_header.forecast = stored.forecast();
    }

    lookAtLastYear(fields);

    m_resultRows.clear();
    if (followsEntries() || hasSumButton()) {
        XmlDocument conditions;
        const ConditionsTable table = LoadConditions(
            conditions, ConditionsPath(m_document.programFolder), docType().titleText());
        for (const ConditionEntry& entry : table)
            m_resultRows << entry.DocStr_ID;
        if (followsEntries())
            m_followingConditions = table;
    }
    if (olderFlags)
        RecomputeAllTotals(m_grid, m_amountColumns, m_profile.manualColumn);
    followEntry();

    m_grid.setFixedCols(m_profile.fixedCols);
    m_grid.setCurrentCell(1, 0);
    m_history.clear();
    return std::nullopt;
}

void DocumentEngine::followEntry()
{
    if (!followsEntries())
        return;
    std::vector<int> columns = m_profile.sum.columns;
    for (const CaptionedColumn& c : m_profile.previousYear)
        if (c.carriedFrom >= 0)
            columns.push_back(c.column);
    ApplyConditions(m_profile, m_grid, m_followingConditions, columns);
}

bool DocumentEngine::canEdit(int row, int col) const
{
    return CanEdit(m_profile, m_grid, row, col)
           || (m_typedComparatives && CanTypeComparative(m_profile, m_grid, row, col));
}

bool DocumentEngine::canDelete(int row, int col) const
{
    // A typed previous year is cleared to 0 as the current year is.
    return CanDelete(m_profile, m_grid, row, col)
           || (m_typedComparatives && CanTypeComparative(m_profile, m_grid, row, col));
}

bool DocumentEngine::enterMovesDown(int col) const
{
    return ColumnAdmitsDelete(m_profile, m_grid, col);
}

bool DocumentEngine::commit(int row, int col, const QString& text)
{
    return m_history.record(QStringLiteral("въвеждане"),
                            [&] { return store(row, col, text, CellChange::Kind::Typed); });
}

bool DocumentEngine::store(int row, int col, const QString& text, CellChange::Kind kind)
{
    const QString trimmed = text.trimmed();
    if (!trimmed.isEmpty() && !ReadEntry(trimmed))
        return false;
    m_grid.setTextMatrix(row, col, FormatAmount(trimmed), kind);
    RecomputeDerived(m_profile, m_grid, row);
    UpdateAncestors(m_grid, row, col, m_profile.derived.column, m_profile.manualColumn);
    followEntry();
    return true;
}

bool DocumentEngine::deleteCell(int row, int col)
{
    if (!canDelete(row, col))
        return false;
    // A Delete that changes a cell is a change like any entry: closing asks.
    m_history.record(QStringLiteral("изтриване"), [&] {
        m_grid.setTextMatrix(row, col, QStringLiteral("0"), CellChange::Kind::Deleted);
        RecomputeDerived(m_profile, m_grid, row);
        UpdateAncestors(m_grid, row, col, m_profile.derived.column, m_profile.manualColumn);
        followEntry();
    });
    return true;
}

DocumentEngine::Paste DocumentEngine::pasteColumn(int row, int col, const QStringList& lines)
{
    Paste paste;
    if (!canEdit(row, col))
        return paste;
    // One paste is one step, whatever number of cells it fills.
    m_history.record(QStringLiteral("поставяне"), [&] { pasteLines(row, col, lines, paste); });
    return paste;
}

void DocumentEngine::pasteLines(int row, int col, const QStringList& lines, Paste& paste)
{
    int line = 0;
    for (int r = row; r < m_grid.Rows() && line < lines.size(); ++r) {
        if (!m_grid.isShown(r) || !canEdit(r, col))
            continue;
        const QString text = lines[line++].section(u'\t', 0, 0).trimmed();
        if (text.isEmpty())
            continue;
        if (!store(r, col, text, CellChange::Kind::Pasted)) {
            paste.refusedRow = r;
            paste.refusedText = text;
            break;
        }
        ++paste.stored;
    }
}

QString DocumentEngine::copyColumn(int col) const
{
    QString text;
    for (int r = m_grid.FixedRows(); r < m_grid.Rows(); ++r)
        if (m_grid.isShown(r))
            text += PlainAmount(m_grid.TextMatrix(r, col)) + u'\n';
    return text;
}

bool DocumentEngine::sumButtonShown() const
{
    return hasSumButton() && AppliesTo(m_profile.sum.shown, docType().secondVariant());
}

bool DocumentEngine::followsEntries() const
{
    return AppliesTo(m_profile.sum.followsEntries, docType().secondVariant());
}

bool DocumentEngine::sumsBeforeSave() const
{
    return hasSumButton() && AppliesTo(m_profile.sum.beforeSave, docType().secondVariant());
}

void DocumentEngine::runConditionalSums()
{
    const ConditionsTable table = LoadConditions(
        m_state.xml, ConditionsPath(m_document.programFolder), docType().titleText());
    EvaluateConditions(m_profile, m_grid, table);
    // Typed comparatives have their results computed as the current year's.
    if (m_typedComparatives) {
        std::vector<int> previous;
        for (const CaptionedColumn& c : m_profile.previousYear)
            if (std::find(m_profile.sum.columns.begin(), m_profile.sum.columns.end(), c.carriedFrom)
                != m_profile.sum.columns.end())
                previous.push_back(c.column);
        ApplyConditions(m_profile, m_grid, table, previous);
    }
}

std::optional<UserMessage> DocumentEngine::prepareSave()
{
    if (sumsBeforeSave())
        runConditionalSums();
    m_grid.expandAll();
    followEntry();
    if (const std::optional<QString> warning = BalanceCheckMessage(m_profile, m_grid))
        return UserMessage{kSaveTitle, *warning, UserMessage::Icon::Critical};
    return std::nullopt;
}

QString DocumentEngine::sourcePath() const
{
    return m_document.path;
}

QString DocumentEngine::formPath() const
{
    return TemplatePath(m_document.programFolder, docType());
}

QString DocumentEngine::targetPath() const
{
    return m_document.editType == 0 ? m_document.targetPath : m_document.path;
}

std::optional<UserMessage> DocumentEngine::writeAndSave()
{
    if (m_access != Access::Edit)
        return UserMessage{kSaveTitle, QStringLiteral("Документът е отворен само за четене."),
                           UserMessage::Icon::Critical};
    // One writer at a time: without the lock nothing is written, or a second
    // writer could lose the first one's entries.
    if (!m_lock || m_lock->state() != platform::DocumentLock::State::Held)
        return UserMessage{
            kSaveTitle,
            QStringLiteral("Документът %1 не е записан: не може да бъде заключен "
                           "за запис (%2).")
                .arg(QDir::toNativeSeparators(targetPath()), m_lock ? m_lock->reason() : QString()),
            UserMessage::Icon::Critical};
    // A correction is written over its file only as it was opened: a change made
    // on disk meanwhile is never overwritten, nor re-checksummed into a valid one.
    std::optional<QByteArray> previous;
    if (m_document.editType == 1) {
        QString reason;
        previous = platform::ReadRegularFile(sourcePath(), reason);
        if (!previous)
            return UserMessage{
                kSaveTitle,
                QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(sourcePath()), reason),
                UserMessage::Icon::Critical};
        if (BytesDigest(*previous) != m_sourceDigest)
            return UserMessage{
                kSaveTitle,
                QStringLiteral("Файлът %1 е променен извън програмата, след като е отворен. "
                               "Документът не е записан, за да не се загуби тази промяна.")
                    .arg(QDir::toNativeSeparators(sourcePath())),
                UserMessage::Icon::Critical};
    }

    const GridWriterView view(m_grid);
    if (const std::optional<WriteError> error =
            WriteDataDocument(m_state.xml, sourcePath(), view, m_document.header, m_writtenFields,
                              m_writtenColumns, m_document.editType, m_profile.idColumn, ReadAmount,
                              m_document.editType == 1 ? formPath() : QString()))
        return UserMessage{kSaveTitle, error->message, UserMessage::Icon::Critical};

    const QString path = targetPath();
    m_state.dataFilePath = path;
    if (m_document.editType == 0)
        QDir().mkpath(QFileInfo(path).absolutePath()); // a fresh program folder may lack Data
    if (previous) {
        // The version before this correction stays beside it, one generation.
        const QFileInfo target(path);
        const QString backup =
            (target.isSymLink() ? target.canonicalFilePath() : path) + QStringLiteral(".bak");
        if (const SaveResult kept = ReplaceNameWithBytes(*previous, backup); !kept.ok)
            return UserMessage{kSaveTitle,
                               QStringLiteral("Предишната версия не може да бъде запазена като "
                                              "%1: %2. Документът не е записан.")
                                   .arg(QDir::toNativeSeparators(backup), kept.error),
                               UserMessage::Icon::Critical};
    }
    const SaveResult result = SaveDataFile(m_state.xml, path);
    if (!result.ok)
        return UserMessage{kSaveTitle, result.error, UserMessage::Icon::Critical};
    m_sourceDigest = result.digest;
    m_savedPath = path;
    m_history.setClean();
    return std::nullopt;
}

std::vector<Finding> DocumentEngine::check()
{
    if (sumsBeforeSave())
        runConditionalSums();
    followEntry();
    std::vector<Finding> findings;
    std::optional<Finding> balance;
    if (const std::optional<QString> message = BalanceCheckMessage(m_profile, m_grid)) {
        balance = balanceFinding(*message);
        findings.push_back(*balance);
    }
    Statement screen;
    if (const std::optional<QString> why = statementOnScreen(screen)) {
        findings.push_back(
            Finding{QStringLiteral("Контролите не могат да бъдат проверени: %1").arg(*why),
                    {},
                    std::nullopt});
    } else {
        // A control comparing two rows of this statement in the balance
        // check's column that finds the same difference as the form's own
        // balance check (its sides' totals) says what that check said: it is
        // not listed twice.
        const auto sameImbalance = [](const Finding& balance, const Finding& other) {
            const QString& field =
                balance.rows.empty() ? QString() : balance.rows.back().target.field;
            return other.difference == balance.difference && other.rows.size() == 2
                   && std::all_of(other.rows.begin(), other.rows.end(), [&](const FindingRow& row) {
                          return row.here && row.target.field == field;
                      });
        };
        for (Finding& finding : FilingFindings(screen, ControlsPath(m_document.programFolder)))
            if (!balance || !sameImbalance(*balance, finding))
                findings.push_back(std::move(finding));
    }
    return findings;
}

Finding DocumentEngine::balanceFinding(const QString& message) const
{
    Finding finding{message, {}, std::nullopt};
    const int column = m_profile.balanceCheck->column;
    QString field;
    QString heading;
    for (const AmountColumn& a : m_profile.amounts)
        if (a.column == column) {
            field = QString::fromLatin1(a.field);
            heading = QString::fromUtf16(a.caption);
        }
    const auto [first, last] = BalanceCheckRows(m_profile, m_grid);
    qint64 sides[2] = {0, 0};
    int side = 0;
    for (const int row : {first, last}) {
        if (row >= 0) {
            sides[side] = std::llround(AmountOrZero(m_grid.TextMatrix(row, column)));
            finding.rows.push_back(
                FindingRow{PaperTitle(docType().titleText()), true,
                           m_grid.TextMatrix(row, m_profile.codeColumn), m_grid.TextMatrix(row, 0),
                           heading, 1, sides[side],
                           RowTarget{QString(), m_grid.band(row) + 1,
                                     m_grid.TextMatrix(row, m_profile.idColumn), field}});
        }
        ++side;
    }
    finding.difference = sides[0] - sides[1];
    return finding;
}

std::optional<QString> DocumentEngine::statementOnScreen(Statement& out) const
{
    XmlDocument xml;
    const GridWriterView view(m_grid);
    if (const std::optional<WriteError> error =
            WriteDataDocument(xml, sourcePath(), view, m_document.header, m_writtenFields,
                              m_writtenColumns, m_document.editType, m_profile.idColumn, ReadAmount,
                              m_document.editType == 1 ? formPath() : QString()))
        return error->message;
    Rowset rowset;
    if (const std::optional<RowsetError> error = LoadRowset(xml.doc(), rowset))
        return error->message;
    const std::optional<PeriodText> period = PeriodFromText(m_header.period);
    if (!period)
        return QStringLiteral("периодът „%1“ не е месец/година").arg(m_header.period);
    ReadRows(rowset, out);
    out.path = targetPath();
    out.type = m_document.type;
    out.forecast = m_header.forecast;
    out.bulstat = m_header.bulstat;
    out.company = m_header.company;
    out.year = QString::number(period->year);
    out.month = period->month;
    return std::nullopt;
}

} // namespace telm
