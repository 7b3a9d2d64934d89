#include "editor/DocumentEngine.h"

#include "editor/AmountText.h"
#include "selection/Catalogue.h"
#include "editor/ConditionalSums.h"
#include "xmlfiles/DataFile.h"
#include "selection/DataFileName.h"
#include "selection/DocumentContext.h"
#include "editor/EditRules.h"
#include "editor/LevelTotals.h"
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

DocumentEngine::DocumentEngine(AppState& state, const FormProfile& profile)
    : m_state(state), m_profile(profile)
{
    for (const AmountColumn& a : m_profile.amounts) {
        m_amountFields << QString::fromLatin1(a.field);
        m_amountColumns.push_back(a.column);
    }
}

const DocType& DocumentEngine::docType() const
{
    const DocType* first = nullptr;
    for (const DocType& type : Catalogue()) {
        if (type.form != m_profile.id)
            continue;
        if (!first)
            first = &type;
        if (type.variant == VariantFlag::BalanceLiquid2 && m_state.balanceLiquidVariant)
            return type;
        if (type.variant == VariantFlag::IncomeLiquid2 && m_state.incomeLiquidVariant)
            return type;
    }
    return *first;
}

int DocumentEngine::maxLevel() const
{
    const bool variant = m_profile.id == FormId::frmDocBalanceLiquid ? m_state.balanceLiquidVariant
                                                                      : true;
    return MaxLevelFor(m_profile, variant);
}

std::optional<EngineMessage> DocumentEngine::load()
{
    changed = false;
    saved = true;
    m_grid.clear();

    Rowset rowset;
    QString path;
    std::optional<RowsetError> error;
    if (eEditType == 1) {
        path = m_state.openedDataFilePath;
        // The selection dialog has loaded the file; the document shown is the one
        // verified, not a second read of the disk that could differ from it.
        if (m_state.xml.isEmpty()) {
            // Not loadable when the dialog read it: say why, never show an unchecked file.
            error = LoadRowset(path, rowset);
            if (!error)
                return EngineMessage{kTamperTitle, kTamperText, EngineMessage::Icon::Critical};
        } else if (!VerifyDataHash(m_state.xml))
            return EngineMessage{kTamperTitle, kTamperText, EngineMessage::Icon::Critical};
        else
            error = LoadRowset(m_state.xml.doc(), rowset);
    } else {
        path = TemplatePath(m_state.programFolder, docType());
        error = LoadRowset(path, rowset);
    }
    if (error)
        return EngineMessage{kTamperTitle,
                             QStringLiteral("Документът не може да бъде отворен:\n%1\n\n%2")
                                 .arg(QDir::toNativeSeparators(path), error->message),
                             EngineMessage::Icon::Critical};
    if (rowset.fields.size() <= highestColumn(m_profile) || rowset.rows.empty())
        return EngineMessage{kTamperTitle,
                             QStringLiteral("Файлът %1 няма структурата на документа \"%2\".")
                                 .arg(QDir::toNativeSeparators(path), docType().titleText()),
                             EngineMessage::Icon::Critical};

    m_grid.bind(rowset);
    m_state.hfGrid.setMaxLevel(maxLevel());

    if (eEditType == 0) {
        headerPeriod = m_state.period.sQuarter + u'/' + QString::number(m_state.period.iYear);
        headerCompany = m_state.company.Name;
        headerBulstat = m_state.company.Bulstat;
    } else {
        const pugi::xml_node danni = SelectSingleNode(m_state.xml.doc(), QStringLiteral("xml/danni"));
        headerPeriod = GetChildText(danni, QStringLiteral("period"));
        headerCompany = GetChildText(danni, QStringLiteral("compname"));
        headerBulstat = GetChildText(danni, QStringLiteral("bulstat"));
    }

    for (int row = 1; row < m_grid.Rows(); ++row)
        for (int col : m_profile.reformatOnLoad)
            m_grid.setTextMatrix(row, col, FormatAmount(m_grid.TextMatrix(row, col)));

    m_grid.setFixedCols(m_profile.fixedCols);
    m_grid.setCurrentCell(1, 0);
    return std::nullopt;
}

void DocumentEngine::applyLayout(int gridWidth)
{
    const FormProfile& p = m_profile;
    const int levels = maxLevel();
    m_grid.setHeaderBold(true);
    m_grid.setWordWrap(true);

    if (p.allColumnsTwelvePercentAtLoad) {
        for (int col = 1; col < m_grid.Cols(); ++col)
            m_grid.setColWidth(col, 0, static_cast<int>(std::lround(gridWidth / 100.0 * 12)));
    }
    m_grid.setColWidth(0, 0, p.nameWidthAtLoad);

    m_grid.setColAlignment(p.codeColumn, CellAlign::CenterCenter);
    std::vector<int> figures;
    for (const AmountColumn& a : p.amounts)
        figures.push_back(a.column);
    for (const CaptionedColumn& c : p.previousYear)
        figures.push_back(c.column);
    for (int col : figures)
        m_grid.setColAlignment(col, CellAlign::RightCenter);

    std::vector<int> hidden{p.idColumn, p.parentColumn, p.manualColumn, p.lockedColumn};
    for (const CaptionedColumn& c : p.previousYear)
        hidden.push_back(c.column);
    hidden.insert(hidden.end(), p.hiddenColumns.begin(), p.hiddenColumns.end());
    hidden.insert(hidden.end(), p.zeroWidthPerBand.begin(), p.zeroWidthPerBand.end());
    for (int band = 0; band < levels; ++band) {
        const BandFont style = band < static_cast<int>(p.bandFonts.size()) ? p.bandFonts[band]
                                                                            : BandFont{};
        QFont font;
        if (style.points > 0)
            font.setPointSize(style.points);
        font.setBold(style.bold);
        font.setItalic(style.italic);
        m_grid.setBandFont(band, font);
        if (p.codeWidthPerBand)
            m_grid.setColWidth(p.codeColumn, band, 100);
        for (int col : hidden)
            m_grid.setColWidth(col, band, 0);
    }

    const CellAlign headerAlign = p.headerHeightFactor == 3 ? CellAlign::CenterCenter
                                                            : CellAlign::CenterTop;
    m_grid.setCellAlignment(0, p.codeColumn, headerAlign);
    for (int col : figures)
        m_grid.setCellAlignment(0, col, headerAlign);
    if (p.id == FormId::frmDocCapital)
        for (int row = 0; row < m_grid.Rows(); ++row)
            m_grid.setCellAlignment(row, p.codeColumn, CellAlign::CenterCenter);
    m_grid.setRowHeight(0, m_grid.defaultRowHeight() * p.headerHeightFactor);

    m_grid.setTextMatrix(0, 0, QString::fromUtf16(p.nameCaption));
    m_grid.setTextMatrix(0, p.codeColumn, QStringLiteral("Код на реда"));
    for (const CaptionedColumn& c : p.previousYear)
        m_grid.setTextMatrix(0, c.column, QString::fromUtf16(c.caption));
    for (const AmountColumn& a : p.amounts)
        m_grid.setTextMatrix(0, a.column, QString::fromUtf16(a.caption));
}

void DocumentEngine::applyResizeWidths(int gridWidth)
{
    for (int col = 0; col < m_grid.Cols(); ++col) {
        int width = 0;
        for (const ResizeWidth& w : m_profile.resizeWidths)
            if (w.column == col)
                width = static_cast<int>(std::lround(gridWidth / 100.0 * w.percent + w.offset));
        m_grid.setColWidth(col, 0, std::max(0, width));
    }
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
    UpdateAncestors(m_grid, row, col, m_profile.derivedColumn, m_profile.manualColumn);
    return true;
}

bool DocumentEngine::deleteCell(int row, int col)
{
    if (!canDelete(row, col))
        return false;
    saved = false;
    if (m_profile.deleteSetsChanged == DeleteSetsChanged::Yes)
        changed = true;
    m_grid.setTextMatrix(row, col, QStringLiteral("0"));
    RecomputeDerived(m_profile, m_grid, row);
    UpdateAncestors(m_grid, row, col, m_profile.derivedColumn, m_profile.manualColumn);
    return true;
}

bool DocumentEngine::hasConditionalSums() const
{
    switch (m_profile.sumButton) {
    case SumButton::None: return false;
    case SumButton::Always: return true;
    case SumButton::BalanceLiquid2Only: return m_state.balanceLiquidVariant;
    }
    return false;
}

bool DocumentEngine::sumsBeforeSave() const
{
    switch (m_profile.sumBeforeSave) {
    case SumBeforeSave::Never: return false;
    case SumBeforeSave::Always: return true;
    case SumBeforeSave::WhenVariantFlag: return m_state.balanceLiquidVariant;
    }
    return false;
}

void DocumentEngine::runConditionalSums()
{
    const ConditionsTable table =
        LoadConditions(m_state.xml, ConditionsPath(m_state.programFolder), m_state.docType.Name);
    EvaluateConditions(m_profile, m_grid, table);
}

std::optional<EngineMessage> DocumentEngine::prepareSave()
{
    if (sumsBeforeSave())
        runConditionalSums();
    m_grid.expandAll();
    if (const std::optional<QString> warning = BalanceCheckMessage(m_profile, m_grid))
        return EngineMessage{kSaveTitle, *warning, EngineMessage::Icon::Critical};
    return std::nullopt;
}

QString DocumentEngine::sourcePath() const
{
    return eEditType == 0 ? TemplatePath(m_state.programFolder, docType())
                          : m_state.openedDataFilePath;
}

QString DocumentEngine::targetPath() const
{
    return eEditType == 0 ? DataFilePathFor(m_state, docType(), m_state.hfGrid.Prognosis)
                          : m_state.openedDataFilePath;
}

std::optional<EngineMessage> DocumentEngine::writeAndSave()
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
                              m_amountColumns, eEditType, m_profile.idColumn, ReadAmount))
        return EngineMessage{kSaveTitle, error->message, EngineMessage::Icon::Critical};

    const QString path = targetPath();
    m_state.dataFilePath = path;
    if (eEditType == 0)
        QDir().mkpath(QFileInfo(path).absolutePath());   // a fresh program folder may lack Data
    const SaveResult result = SaveDataFile(m_state.xml, path);
    if (!result.ok)
        return EngineMessage{kSaveTitle, result.error, EngineMessage::Icon::Critical};
    saved = true;
    return std::nullopt;
}

} // namespace telm
