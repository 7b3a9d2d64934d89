#include "editor/DocumentEngine.h"

#include "editor/AmountText.h"
#include "editor/ConditionalSums.h"
#include "editor/EditRules.h"
#include "editor/LevelTotals.h"
#include "selection/Catalogue.h"
#include "selection/DataFileName.h"
#include "selection/DocumentContext.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/Rowset.h"
#include "xmlfiles/XmlAccess.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

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

DocumentEngine::DocumentEngine(AppState& state, const OpenedDocument& document)
    : m_state(state), m_document(document), m_profile(ProfileFor(document.type->form))
{
    for (const AmountColumn& a : m_profile.amounts) {
        m_amountFields << QString::fromLatin1(a.field);
        m_amountColumns.push_back(a.column);
    }
}

int DocumentEngine::maxLevel() const
{
    return MaxLevelFor(m_profile, docType());
}

void DocumentEngine::noteTyping()
{
    m_changed = true;
    m_saved = false;
}

std::optional<UserMessage> DocumentEngine::load()
{
    m_changed = false;
    m_saved = true;
    m_grid.clear();

    Rowset rowset;
    const QString path = m_document.path;
    std::optional<RowsetError> error;
    if (m_document.editType == 1) {
        // The selection dialog has loaded the file; the document shown is the one
        // verified, not a second read of the disk that could differ from it.
        if (m_state.xml.isEmpty()) {
            // Not loadable when the dialog read it: say why, never show an unchecked file.
            error = LoadRowset(path, rowset);
            if (!error)
                return UserMessage{kTamperTitle, kTamperText, UserMessage::Icon::Critical};
        } else if (!VerifyDataHash(m_state.xml))
            return UserMessage{kTamperTitle, kTamperText, UserMessage::Icon::Critical};
        else
            error = LoadRowset(m_state.xml.doc(), rowset);
    } else {
        error = LoadRowset(path, rowset);
    }
    if (error)
        return UserMessage{kTamperTitle,
                           QStringLiteral("Документът не може да бъде отворен:\n%1\n\n%2")
                               .arg(QDir::toNativeSeparators(path), error->message),
                           UserMessage::Icon::Critical};
    if (rowset.fields.size() <= highestColumn(m_profile) || rowset.rows.empty())
        return UserMessage{kTamperTitle,
                           QStringLiteral("Файлът %1 няма структурата на документа \"%2\".")
                               .arg(QDir::toNativeSeparators(path), docType().titleText()),
                           UserMessage::Icon::Critical};

    m_grid.bind(rowset);
    m_state.hfGrid.setMaxLevel(maxLevel());

    if (m_document.editType == 0) {
        m_header.period = m_state.period.sQuarter + u'/' + QString::number(m_state.period.iYear);
        m_header.company = m_state.company.Name;
        m_header.bulstat = m_state.company.Bulstat;
        m_header.forecast = m_state.hfGrid.Prognosis;
    } else {
        const pugi::xml_node danni =
            SelectSingleNode(m_state.xml.doc(), QStringLiteral("xml/danni"));
        m_header.period = GetChildText(danni, QStringLiteral("period"));
        m_header.company = GetChildText(danni, QStringLiteral("compname"));
        m_header.bulstat = GetChildText(danni, QStringLiteral("bulstat"));
        m_header.forecast = GetChildText(danni, QStringLiteral("documenttype"))
                            == QStringLiteral("Прогнозен документ");
    }

    std::vector<int> reformatted = m_amountColumns;
    reformatted.insert(reformatted.end(), m_profile.previousYearReformatted.begin(),
                       m_profile.previousYearReformatted.end());
    for (int row = 1; row < m_grid.Rows(); ++row)
        for (int col : reformatted)
            m_grid.setTextMatrix(row, col, FormatAmount(m_grid.TextMatrix(row, col)));

    m_grid.setFixedCols(m_profile.fixedCols);
    m_grid.setCurrentCell(1, 0);
    return std::nullopt;
}

bool DocumentEngine::canEdit(int row, int col) const
{
    return CanEdit(m_profile, m_grid, row, col);
}

bool DocumentEngine::canDelete(int row, int col) const
{
    return CanDelete(m_profile, m_grid, row, col);
}

bool DocumentEngine::enterMovesDown(int col) const
{
    return ColumnAdmitsDelete(m_profile, m_grid, col);
}

bool DocumentEngine::commit(int row, int col, const QString& text)
{
    const QString trimmed = text.trimmed();
    if (!trimmed.isEmpty() && !ReadEntry(trimmed))
        return false;
    m_grid.setTextMatrix(row, col, FormatAmount(trimmed));
    RecomputeDerived(m_profile, m_grid, row);
    UpdateAncestors(m_grid, row, col, m_profile.derived.column, m_profile.manualColumn);
    return true;
}

bool DocumentEngine::deleteCell(int row, int col)
{
    if (!canDelete(row, col))
        return false;
    // A Delete that changes a cell is a change like any entry: closing asks.
    if (m_grid.TextMatrix(row, col) != QStringLiteral("0"))
        noteTyping();
    m_grid.setTextMatrix(row, col, QStringLiteral("0"));
    RecomputeDerived(m_profile, m_grid, row);
    UpdateAncestors(m_grid, row, col, m_profile.derived.column, m_profile.manualColumn);
    return true;
}

DocumentEngine::Paste DocumentEngine::pasteColumn(int row, int col, const QStringList& lines)
{
    Paste paste;
    if (!canEdit(row, col))
        return paste;
    int line = 0;
    for (int r = row; r < m_grid.Rows() && line < lines.size(); ++r) {
        if (!m_grid.isShown(r) || !canEdit(r, col))
            continue;
        const QString text = lines[line++].section(u'\t', 0, 0).trimmed();
        if (text.isEmpty())
            continue;
        if (!commit(r, col, text)) {
            paste.refusedRow = r;
            break;
        }
        ++paste.stored;
    }
    if (paste.stored > 0)
        noteTyping(); // the whole paste is one change
    return paste;
}

QString DocumentEngine::copyColumn(int col) const
{
    QString text;
    for (int r = m_grid.FixedRows(); r < m_grid.Rows(); ++r)
        if (m_grid.isShown(r))
            text += m_grid.TextMatrix(r, col) + u'\n';
    return text;
}

bool DocumentEngine::sumButtonShown() const
{
    return hasSumButton() && AppliesTo(m_profile.sum.shown, docType().secondVariant());
}

bool DocumentEngine::sumsBeforeSave() const
{
    return hasSumButton() && AppliesTo(m_profile.sum.beforeSave, docType().secondVariant());
}

void DocumentEngine::runConditionalSums()
{
    const ConditionsTable table =
        LoadConditions(m_state.xml, ConditionsPath(m_state.programFolder), m_state.docType.Name);
    EvaluateConditions(m_profile, m_grid, table);
}

std::optional<UserMessage> DocumentEngine::prepareSave()
{
    if (sumsBeforeSave())
        runConditionalSums();
    m_grid.expandAll();
    if (const std::optional<QString> warning = BalanceCheckMessage(m_profile, m_grid))
        return UserMessage{kSaveTitle, *warning, UserMessage::Icon::Critical};
    return std::nullopt;
}

QString DocumentEngine::sourcePath() const
{
    return m_document.path;
}

QString DocumentEngine::targetPath() const
{
    return m_document.editType == 0 ? DataFilePathFor(m_state, docType(), m_state.hfGrid.Prognosis)
                                    : m_document.path;
}

std::optional<UserMessage> DocumentEngine::writeAndSave()
{
    DataHeader header;
    header.periodMonth = m_state.period.sQuarter;
    header.yearText = QString::number(m_state.period.iYear);
    header.bulstat = m_state.company.Bulstat;
    header.companyName = m_state.company.Name;
    header.documentTitle = m_state.docType.Name;
    header.forecast = m_state.hfGrid.Prognosis;

    const GridWriterView view(m_grid);
    if (const std::optional<WriteError> error =
            WriteDataDocument(m_state.xml, sourcePath(), view, header, m_amountFields,
                              m_amountColumns, m_document.editType, m_profile.idColumn, ReadAmount))
        return UserMessage{kSaveTitle, error->message, UserMessage::Icon::Critical};

    const QString path = targetPath();
    m_state.dataFilePath = path;
    if (m_document.editType == 0)
        QDir().mkpath(QFileInfo(path).absolutePath()); // a fresh program folder may lack Data
    const SaveResult result = SaveDataFile(m_state.xml, path);
    if (!result.ok)
        return UserMessage{kSaveTitle, result.error, UserMessage::Icon::Critical};
    m_saved = true;
    return std::nullopt;
}

} // namespace telm
