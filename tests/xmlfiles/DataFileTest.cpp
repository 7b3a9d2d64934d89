#include "xmlfiles/DataFile.h"

#include "tests/support/TestFiles.h"
#include "tests/xmlfiles/WriterFakes.h"
#include "xmlfiles/Rowset.h"
#include "xmlfiles/XmlAccess.h"
#include "xmlfiles/XmlDocument.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace telm;

namespace {

const QStringList kThreeFields = {"DocDta_Sum1", "DocDta_Sum2", "DocDta_Sum3"};
const std::vector<int> kThreeColumns = {5, 6, 7};

DataHeader sampleHeader()
{
    return DataHeader{
        "3",  "2005", "121212124", QString::fromUtf8("Фирма ООД"), QString::fromUtf8("Баланс"),
        false};
}

// The grid a form shows for a file: the header row, then the file's rows.
test::FakeGrid gridFor(const QString& path)
{
    test::FakeGrid grid;
    grid.rows.push_back({0, {}});
    Rowset rowset;
    if (!LoadRowset(path, rowset)) {
        for (const RowsetRow& row : rowset.rows)
            grid.rows.push_back({row.band, row.cells});
    }
    return grid;
}

test::FakeGridRow& rowWithId(test::FakeGrid& grid, const char* id)
{
    for (auto& row : grid.rows) {
        if (row.cells.size() > 2 && row.cells[2] == QLatin1String(id))
            return row;
    }
    return grid.rows.front();
}

std::optional<WriteError> write(XmlDocument& xml, const QString& source, const test::FakeGrid& grid,
                                int editType, const DataHeader& header = sampleHeader(),
                                const QStringList& fields = kThreeFields,
                                const std::vector<int>& columns = kThreeColumns)
{
    return WriteDataDocument(xml, source, grid, header, fields, columns, editType, 2,
                             test::readDisplayAmount);
}

QString amountOf(const XmlDocument& xml, int level, const char* id, const char* field)
{
    return GetNodeAttribute(SelectSingleNode(xml.doc(), RowLookupPath(level, id)), field);
}

} // namespace

TEST(WriteDataDocument, WritesDisplayAmountsAsPlainWholeNumbers)
{
    struct Case
    {
        const char* cell;
        const char* written;
    };
    const Case cases[] = {
        {"1234", "1234"}, {"1 234", "1234"}, {"(1 234)", "-1234"}, {"-1 234 567", "-1234567"},
        {"", "0"},        {"   ", "0"},      {"10.5", "11"},       {"-10.5", "-11"},
        {"0", "0"},
    };
    const QString source = test::fixture("template.xml");
    for (const Case& c : cases) {
        test::FakeGrid grid = gridFor(source);
        rowWithId(grid, "3").cells[7] = QString::fromUtf8(c.cell);
        XmlDocument xml;
        ASSERT_FALSE(write(xml, source, grid, 0)) << c.cell;
        EXPECT_EQ(amountOf(xml, 3, "3", "DocDta_Sum3"), c.written) << c.cell;
    }
}

TEST(WriteDataDocument, OneColumnTypeWritesOnlyItsField)
{
    const QString source = test::fixture("template.xml");
    test::FakeGrid grid = gridFor(source);
    rowWithId(grid, "5").cells[5] = "42";
    rowWithId(grid, "5").cells[6] = "99";
    XmlDocument xml;
    ASSERT_FALSE(write(xml, source, grid, 0, sampleHeader(), {"DocDta_Sum1"}, {5}));
    EXPECT_EQ(amountOf(xml, 2, "5", "DocDta_Sum1"), "42");
    EXPECT_EQ(amountOf(xml, 2, "5", "DocDta_Sum2"), "7");
}

TEST(WriteDataDocument, HeaderForNewDocumentsWithKind)
{
    const QString source = test::fixture("template.xml");
    for (const bool forecast : {false, true}) {
        DataHeader header = sampleHeader();
        header.forecast = forecast;
        XmlDocument xml;
        ASSERT_FALSE(write(xml, source, gridFor(source), 0, header));
        const pugi::xml_node danni = SelectSingleNode(xml.doc(), "xml/danni");
        ASSERT_TRUE(danni);
        EXPECT_EQ(danni, xml.root().last_child());
        QStringList names;
        for (pugi::xml_node child : danni.children())
            names << QString::fromUtf8(child.name());
        EXPECT_EQ(names,
                  QStringList({"period", "bulstat", "compname", "document", "documenttype"}));
        EXPECT_EQ(GetChildText(danni, "period"), "3/2005");
        EXPECT_EQ(GetChildText(danni, "compname"), QString::fromUtf8("Фирма ООД"));
        EXPECT_EQ(GetChildText(danni, "documenttype"), forecast
                                                           ? QString::fromUtf8("Прогнозен документ")
                                                           : QString::fromUtf8("Реален документ"));
        EXPECT_EQ(std::string(xml.root().last_attribute().name()), "hash");
        EXPECT_TRUE(VerifyDataHash(xml));
    }
}

TEST(WriteDataDocument, RepeatedSavesAndCorrectionsKeepOneHeader)
{
    QTemporaryDir dir;
    const QString source = test::fixture("template.xml");
    const QString target = dir.filePath("data.xml");
    test::FakeGrid grid = gridFor(source);
    XmlDocument xml;
    for (int save = 0; save < 2; ++save) {
        rowWithId(grid, "4").cells[7] = QString::number(100 + save);
        ASSERT_FALSE(write(xml, source, grid, 0));
        ASSERT_TRUE(SaveDataFile(xml, target).ok);
    }
    // A correction starts from the data file and leaves its header as it was.
    DataHeader other{"12", "2010", "000000000", "Other", "Other title", true};
    rowWithId(grid, "4").cells[7] = "(5)";
    ASSERT_FALSE(write(xml, target, grid, 1, other));
    ASSERT_TRUE(SaveDataFile(xml, target).ok);

    ASSERT_TRUE(xml.load(target));
    EXPECT_EQ(SelectNodes(xml.doc(), "xml/danni").size(), 1u);
    EXPECT_EQ(GetChildText(xml.doc(), "xml/danni/period"), "3/2005");
    EXPECT_EQ(GetChildText(xml.doc(), "xml/danni/documenttype"),
              QString::fromUtf8("Реален документ"));
    EXPECT_EQ(amountOf(xml, 3, "4", "DocDta_Sum3"), "-5");
    EXPECT_TRUE(VerifyDataHash(xml));
}

TEST(WriteDataDocument, ErrorsBeforeAnythingIsSaved)
{
    const QString source = test::fixture("template.xml");
    struct Case
    {
        const char* name;
        const char* id;
        int column;
        const char* cell;
        const char* detail;
    };
    const Case cases[] = {
        {"unknown identifier", "99", -1, "", "99"},
        {"identifier not a number", "x1", -1, "", "x1"},
        {"amount not a number", "3", 7, "12abc", "12abc"},
    };
    for (const Case& c : cases) {
        test::FakeGrid grid = gridFor(source);
        test::FakeGridRow& row = rowWithId(grid, "3");
        if (c.column < 0)
            row.cells[2] = c.id;
        else
            row.cells[static_cast<size_t>(c.column)] = c.cell;
        XmlDocument xml;
        const auto error = write(xml, source, grid, 0);
        ASSERT_TRUE(error) << c.name;
        EXPECT_TRUE(error->message.contains(c.detail)) << error->message.toStdString();
    }
    XmlDocument xml;
    QTemporaryDir dir;
    EXPECT_TRUE(write(xml, dir.filePath("missing.xml"), gridFor(source), 0));
}

TEST(WriteDataDocument, LeadingZeroIdentifiersReceiveNoAmounts)
{
    // levels.xml without its repeated level-3 identifier: the row written "07"
    // is not the grid's row 7.
    QTemporaryDir dir;
    const QString source = dir.filePath("levels.xml");
    QByteArray bytes = test::readAll(test::fixture("levels.xml"));
    bytes.replace("DocStr_Name=\"E\" DocStr_ID=\"30\"", "DocStr_Name=\"E\" DocStr_ID=\"31\"");
    ASSERT_TRUE(test::writeAll(source, bytes));
    test::FakeGrid grid = gridFor(source);
    XmlDocument xml;
    const auto error = write(xml, source, grid, 0, sampleHeader(), {"DocDta_Sum1"}, {5});
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->message.contains("7"));
}

TEST(WriteDataDocument, AnIdentifierRepeatedAtOneLevelIsRefused)
{
    // Which of the two level-3 rows 30 would take the amount? Neither.
    const QString source = test::fixture("levels.xml");
    XmlDocument xml;
    const auto error = write(xml, source, gridFor(source), 0, sampleHeader(), {"DocDta_Sum1"}, {5});
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->message.contains("30")) << error->message.toStdString();
    EXPECT_TRUE(error->message.contains("повреден"));
}

TEST(WriteDataDocument, AwkwardHeaderTextsSurviveSaveAndReload)
{
    const QString texts[] = {
        QString::fromUtf8("  Фирма \"Ъгъл\" & <Син> 'ООД'  "),
        QString::fromUtf8("ред 1\nред 2\r\nред 3\rкрай"),
        QString::fromUtf8("\tтаб\t"),
        QString::fromUtf8("   "),
        QString::fromUtf8("é € № 😀 ]]> &amp;"),
        QString(),
    };
    QTemporaryDir dir;
    const QString source = test::fixture("template.xml");
    for (const QString& text : texts) {
        DataHeader header = sampleHeader();
        header.companyName = text;
        header.bulstat = text;
        XmlDocument xml;
        ASSERT_FALSE(write(xml, source, gridFor(source), 0, header));
        ASSERT_TRUE(SaveDataFile(xml, dir.filePath("round.xml")).ok);
        XmlDocument reloaded;
        ASSERT_TRUE(reloaded.load(dir.filePath("round.xml")));
        EXPECT_EQ(GetChildText(reloaded.doc(), "xml/danni/compname"), NormaliseElementText(text));
        EXPECT_TRUE(VerifyDataHash(reloaded)) << text.toStdString();
    }
}

TEST(VerifyDataHash, TamperedAndHarmlessChanges)
{
    QTemporaryDir dir;
    const QString source = test::fixture("template.xml");
    test::FakeGrid grid = gridFor(source);
    rowWithId(grid, "3").cells[7] = "1 234";
    XmlDocument xml;
    ASSERT_FALSE(write(xml, source, grid, 0));
    const QString path = dir.filePath("data.xml");
    ASSERT_TRUE(SaveDataFile(xml, path).ok);
    const QByteArray saved = test::readAll(path);
    const QByteArray hash = xml.root().attribute("hash").value();

    struct Case
    {
        const char* name;
        QByteArray from;
        QByteArray to;
        bool accepted;
    };
    const Case cases[] = {
        {"unchanged", "", "", true},
        {"amount digit", "DocDta_Sum3=\"1234\"", "DocDta_Sum3=\"1235\"", false},
        {"hash removed", " hash=\"" + hash + "\"", "", false},
        {"hash empty", "hash=\"" + hash + "\"", "hash=\"\"", false},
        {"row title", "Земи", "Земя", false},
        {"header text", "<period>3/2005</period>", "<period>6/2005</period>", false},
        {"attribute added", "DocStr_Code=\"1010\"", "DocStr_Code=\"1010\" x=\"\"", false},
        {"blanks between elements", "><", ">\n  \t<", true},
        {"single quotes", "DocStr_Code=\"1010\"", "DocStr_Code='1010'", true},
        {"character reference", "Земи", "&#1047;еми", true},
        {"no declaration", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "", true},
    };
    for (const Case& c : cases) {
        QByteArray text = saved;
        if (!c.from.isEmpty()) {
            ASSERT_TRUE(text.contains(c.from)) << c.name;
            text.replace(c.from, c.to);
        }
        ASSERT_TRUE(test::writeAll(path, text));
        XmlDocument reloaded;
        ASSERT_TRUE(reloaded.load(path)) << c.name;
        EXPECT_EQ(VerifyDataHash(reloaded), c.accepted) << c.name;
    }
    XmlDocument empty;
    EXPECT_FALSE(VerifyDataHash(empty));
}

TEST(WriteDataDocument, EveryShippedTemplateRoundTrips)
{
    const QDir blanki(test::sourceData("Blanki"));
    const QStringList templates = blanki.entryList({"testdata_*.xml"}, QDir::Files);
    if (templates.isEmpty())
        GTEST_SKIP() << "no templates in data/Blanki yet";
    QTemporaryDir dir;
    for (const QString& name : templates) {
        const QString source = blanki.filePath(name);
        Rowset rowset;
        ASSERT_FALSE(LoadRowset(source, rowset)) << name.toStdString();
        QStringList fields;
        std::vector<int> columns;
        for (int col = 0; col < rowset.fields.size(); ++col) {
            if (rowset.fields[col].startsWith("DocDta_Sum")) {
                fields << rowset.fields[col];
                columns.push_back(col);
            }
        }
        const int idColumn = static_cast<int>(rowset.fields.indexOf("DocStr_ID"));
        test::FakeGrid grid = gridFor(source);
        for (size_t r = 1; r < grid.rows.size(); ++r) {
            for (const int col : columns)
                grid.rows[r].cells[static_cast<size_t>(col)] = QString::number(r * 1000 - 7);
        }
        XmlDocument xml;
        const auto error = WriteDataDocument(xml, source, grid, sampleHeader(), fields, columns, 0,
                                             idColumn, test::readDisplayAmount);
        ASSERT_FALSE(error) << name.toStdString() << ": " << error->message.toStdString();
        const QString target = dir.filePath(name);
        ASSERT_TRUE(SaveDataFile(xml, target).ok);
        XmlDocument reloaded;
        ASSERT_TRUE(reloaded.load(target));
        EXPECT_TRUE(VerifyDataHash(reloaded)) << name.toStdString();
    }
}
