// The shipped templates: one table over the fourteen document types.
#include "data/generator/Generate.h"
#include "editor/AmountText.h"
#include "editor/FormProfile.h"
#include "tests/data/BlankiTestSupport.h"
#include "tests/support/TestFiles.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/XmlDocument.h"

#include <QDir>
#include <QTemporaryDir>

#include <set>

#include <gtest/gtest.h>

using namespace telm;
using telm::test::loadShipped;

namespace {

// The writer reads the rowset as the form's grid: header row 0, then the rows.
class RowsetGrid : public WriterGrid
{
public:
    explicit RowsetGrid(const Rowset& rowset) : m_rowset(rowset) {}
    int rowCount() const override { return static_cast<int>(m_rowset.rows.size()) + 1; }
    int fixedRows() const override { return 1; }
    int band(int row) const override { return row == 0 ? 0 : m_rowset.rows[row - 1].band; }
    QString text(int row, int col) const override
    {
        if (row == 0)
            return {};
        const auto& cells = m_rowset.rows[row - 1].cells;
        return col < static_cast<int>(cells.size()) ? cells[col] : QString();
    }

private:
    const Rowset& m_rowset;
};

bool isBalanceSheet(const DocType& type)
{
    return type.form == FormId::frmDocBalance || type.form == FormId::frmDocBalanceLiquid;
}

bool isIncomeStatement(const DocType& type)
{
    return type.form == FormId::frmDocOPR || type.form == FormId::frmDocOPRLiquid;
}

std::vector<int> topLevelRows(const Rowset& rowset, int endExclusive)
{
    std::vector<int> rows;
    for (int i = 0; i < endExclusive; ++i)
        if (rowset.rows[i].band == 0)
            rows.push_back(i);
    return rows;
}

class ShippedTemplate : public ::testing::TestWithParam<int>
{
protected:
    const DocType& type() const { return *DocTypeAt(GetParam()); }
    const FormProfile& profile() const { return ProfileFor(type().form); }
};

TEST_P(ShippedTemplate, FieldsSitAtTheFormsColumns)
{
    const Rowset rowset = loadShipped(type());
    const FormProfile& p = profile();
    const QStringList& f = rowset.fields;
    ASSERT_GT(f.size(), p.lockedColumn);
    EXPECT_EQ(f.at(0), "DocStr_Name");
    EXPECT_EQ(f.at(1), "DocStr_Code");
    EXPECT_EQ(f.at(2), "DocStr_ID");
    EXPECT_EQ(f.at(3), "DocStr_ParentID");
    for (const AmountColumn& amount : p.amounts)
        EXPECT_EQ(f.at(amount.column), QString::fromLatin1(amount.field));
    for (const CaptionedColumn& previous : p.previousYear)
        EXPECT_TRUE(f.at(previous.column).startsWith("DocDta_Prev")) << previous.column;
    EXPECT_EQ(f.at(p.manualColumn), "DocStr_Manual");
    EXPECT_EQ(f.at(p.lockedColumn), "DocStr_Locked");
    // Every column has a role: nothing beyond the last role the form knows.
    std::set<int> roles{0, 1, 2, 3, p.manualColumn, p.lockedColumn};
    for (const AmountColumn& amount : p.amounts)
        roles.insert(amount.column);
    for (const CaptionedColumn& previous : p.previousYear)
        roles.insert(previous.column);
    roles.insert(p.hiddenColumns.begin(), p.hiddenColumns.end());
    EXPECT_EQ(f.size(), static_cast<int>(roles.size()));
    EXPECT_EQ(*roles.rbegin(), f.size() - 1);
}

TEST_P(ShippedTemplate, DepthIsTheFormsMaxLevel)
{
    const Rowset rowset = loadShipped(type());
    const int levels = MaxLevelFor(profile(), type()) + 1;
    EXPECT_EQ(rowset.levels, levels);
    for (const RowsetRow& row : rowset.rows)
        EXPECT_LT(row.band, levels);
}

TEST_P(ShippedTemplate, IdsAreUniqueCanonicalAndParentsMatchTheNesting)
{
    const Rowset rowset = loadShipped(type());
    ASSERT_FALSE(rowset.rows.empty());
    std::set<int> ids;
    std::vector<QString> openIds; // openIds[band] = id of the open row of that band
    for (const RowsetRow& row : rowset.rows) {
        const QString id = row.cells.at(2);
        bool ok = false;
        const int value = id.toInt(&ok);
        ASSERT_TRUE(ok) << qPrintable(id);
        EXPECT_EQ(QString::number(value), id);
        EXPECT_GE(value, -32768);
        EXPECT_LE(value, 32767);
        EXPECT_TRUE(ids.insert(value).second) << value;

        openIds.resize(row.band);
        const QString expectedParent = row.band == 0 ? QString() : openIds.back();
        EXPECT_EQ(row.cells.at(3), expectedParent) << value;
        openIds.push_back(id);
    }
}

TEST_P(ShippedTemplate, AmountsAreZeroAndFlagsReadable)
{
    const Rowset rowset = loadShipped(type());
    const FormProfile& p = profile();
    for (const RowsetRow& row : rowset.rows) {
        for (const AmountColumn& amount : p.amounts)
            EXPECT_EQ(row.cells.at(amount.column), "0");
        for (const CaptionedColumn& previous : p.previousYear)
            EXPECT_EQ(row.cells.at(previous.column), "0");
        const QString manual = row.cells.at(p.manualColumn);
        EXPECT_TRUE(manual == "True" || manual == "False") << qPrintable(manual);
        const QString locked = row.cells.at(p.lockedColumn);
        EXPECT_TRUE(locked == "0" || locked == "1") << qPrintable(locked);
        EXPECT_FALSE(row.cells.at(0).trimmed().isEmpty());
    }
}

TEST_P(ShippedTemplate, TheBalanceCheckComparesTheRightRows)
{
    const Rowset rowset = loadShipped(type());
    const int n = static_cast<int>(rowset.rows.size());
    if (isBalanceSheet(type())) {
        // The check reads grid rows 1..Rows-8: all but the last seven template rows.
        ASSERT_GT(n, 8);
        const std::vector<int> top = topLevelRows(rowset, n - 7);
        EXPECT_EQ(rowset.rows[top.front()].cells.at(0), "АКТИВ");
        // АКТИВ against the liabilities' total: ПАСИВ, or the СУМА НА ПАСИВА that closes it.
        const QString last = rowset.rows[top.back()].cells.at(0);
        EXPECT_TRUE(last == u"ПАСИВ" || last == u"СУМА НА ПАСИВА") << last.toStdString();
        EXPECT_EQ(rowset.rows[n - 7].band, 0) << "ПАСИВ's rows run into the last seven";
    } else if (isIncomeStatement(type())) {
        const std::vector<int> top = topLevelRows(rowset, n);
        EXPECT_EQ(rowset.rows[top.front()].cells.at(0), "РАЗХОДИ");
        EXPECT_EQ(rowset.rows[top.back()].cells.at(0), "ПРИХОДИ");
    }
}

TEST_P(ShippedTemplate, WrittenDataFileKeepsItsChecksumAfterReload)
{
    const Rowset rowset = loadShipped(type());
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QStringList fields;
    std::vector<int> columns;
    for (const AmountColumn& amount : profile().amounts) {
        fields << QString::fromLatin1(amount.field);
        columns.push_back(amount.column);
    }
    const DataHeader header{"12", "2005", "123456786", "Фирма", type().titleText(), false};
    XmlDocument xml;
    const RowsetGrid grid(rowset);
    const auto error = WriteDataDocument(xml, telm::test::shippedTemplate(type()), grid, header,
                                         fields, columns, 0, 2, ReadAmount);
    ASSERT_FALSE(error.has_value()) << qPrintable(error->message);
    const QString path = dir.filePath("data.xml");
    ASSERT_TRUE(SaveDataFile(xml, path).ok);

    XmlDocument reloaded;
    ASSERT_TRUE(reloaded.load(path));
    EXPECT_TRUE(VerifyDataHash(reloaded));
}

INSTANTIATE_TEST_SUITE_P(AllTypes, ShippedTemplate, ::testing::Range(0, kDocTypeCount),
                         [](const auto& info) { return std::string(DocTypeAt(info.param)->code); });

TEST(ShippedBlanki, EqualWhatTheGeneratorWrites)
{
    std::map<QString, QByteArray> files;
    const auto error =
        blankgen::GenerateFiles(telm::test::sourceData(QStringLiteral("forms")), files);
    ASSERT_FALSE(error.has_value()) << qPrintable(error->message);
    const QDir shipped(telm::test::sourceData(QStringLiteral("Blanki")));
    EXPECT_EQ(shipped.entryList({"*.xml"}, QDir::Files).size(), static_cast<int>(files.size()));
    for (const auto& [name, bytes] : files)
        EXPECT_EQ(telm::test::readAll(shipped.filePath(name)), bytes) << qPrintable(name);
}

} // namespace
