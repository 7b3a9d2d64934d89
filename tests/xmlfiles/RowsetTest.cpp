#include "xmlfiles/Rowset.h"

#include "tests/support/TestFiles.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace telm;

TEST(Rowset, LoadsFieldsLevelsAndRowsDepthFirst)
{
    Rowset rowset;
    ASSERT_FALSE(LoadRowset(test::fixture("template.xml"), rowset));
    EXPECT_EQ(rowset.fields,
              QStringList({"DocStr_Name", "DocStr_Code", "DocStr_ID", "DocStr_ParentID",
                           "DocStr_Flag", "DocDta_Sum1", "DocDta_Sum2", "DocDta_Sum3"}));
    EXPECT_EQ(rowset.levels, 3);
    struct Expected
    {
        const char* id;
        int band;
        bool hasChildren;
    };
    const Expected expected[] = {
        {"1", 0, true},  {"2", 1, true}, {"3", 2, false}, {"4", 2, false},
        {"5", 1, false}, {"6", 0, true}, {"7", 1, false},
    };
    ASSERT_EQ(rowset.rows.size(), std::size(expected));
    for (size_t i = 0; i < rowset.rows.size(); ++i) {
        const RowsetRow& row = rowset.rows[i];
        ASSERT_EQ(row.cells.size(), 8u);
        EXPECT_EQ(row.cells[2], expected[i].id) << i;
        EXPECT_EQ(row.band, expected[i].band) << i;
        EXPECT_EQ(row.hasChildren, expected[i].hasChildren) << i;
    }
    EXPECT_EQ(rowset.rows[1].cells[0], QString::fromUtf8("Нетекущи активи & други"));
    EXPECT_EQ(rowset.rows[3].cells[4], QString()); // field missing on the row: empty cell
    EXPECT_EQ(rowset.rows[4].cells[6], "7");
}

TEST(Rowset, SixLevelsAreAccepted)
{
    Rowset rowset;
    ASSERT_FALSE(LoadRowset(test::fixture("six_levels.xml"), rowset));
    EXPECT_EQ(rowset.levels, 6);
    ASSERT_EQ(rowset.rows.size(), 6u);
    EXPECT_EQ(rowset.rows.back().band, 5);
    EXPECT_EQ(rowset.rows.back().cells[5], "9");
}

TEST(Rowset, IgnoresHashAndHeader)
{
    QTemporaryDir dir;
    QByteArray text = test::readAll(test::fixture("template.xml"));
    text.replace("xmlns:z=\"#RowsetSchema\">", "xmlns:z=\"#RowsetSchema\" hash=\"1_2_3\">");
    text.replace("</rs:data>", "</rs:data><danni><period>3/2005</period></danni>");
    const QString path = dir.filePath("data.xml");
    ASSERT_TRUE(test::writeAll(path, text));
    Rowset rowset;
    EXPECT_FALSE(LoadRowset(path, rowset));
    EXPECT_EQ(rowset.rows.size(), 7u);
}

namespace {

const char* const kSchemaHead =
    "<xml xmlns:s='s' xmlns:rs='rs' xmlns:z='z'><s:Schema><s:ElementType name='row'>"
    "<s:AttributeType name='DocStr_ID'/>";

QByteArray schemaWithLevels(int levels)
{
    QByteArray text = kSchemaHead;
    for (int level = 2; level <= levels; ++level)
        text += "<s:ElementType name='Level" + QByteArray::number(level) + "'>";
    for (int level = 2; level <= levels; ++level)
        text += "</s:ElementType>";
    return text + "</s:ElementType></s:Schema>";
}

} // namespace

TEST(Rowset, ErrorsOnFilesThatAreNotRowsets)
{
    using Kind = RowsetError::Kind;
    struct Case
    {
        const char* name;
        QByteArray text;
        Kind kind;
    };
    const QByteArray head = kSchemaHead;
    const Case cases[] = {
        {"not xml", "plain text, no markup <", Kind::NotWellFormed},
        {"truncated", head + "</s:ElementType></s:Schema><rs:data><z:row", Kind::NotWellFormed},
        {"other root", "<root/>", Kind::NotARowset},
        {"no schema", "<xml><rs:data><z:row/></rs:data></xml>", Kind::NotARowset},
        {"no data", head + "</s:ElementType></s:Schema></xml>", Kind::NotARowset},
        {"unknown field",
         head
             + "</s:ElementType></s:Schema><rs:data><z:row DocStr_ID='1' "
               "Extra='x'/></rs:data></xml>",
         Kind::UnknownField},
        {"seven schema levels", schemaWithLevels(7) + "<rs:data/></xml>", Kind::TooDeep},
        {"undeclared level",
         head + "</s:ElementType></s:Schema><rs:data><z:row><Level2/></z:row></rs:data></xml>",
         Kind::NotARowset},
        {"skipped level", schemaWithLevels(3) + "<rs:data><z:row><Level3/></z:row></rs:data></xml>",
         Kind::NotARowset},
        {"seven row levels",
         schemaWithLevels(6)
             + "<rs:data><z:row><Level2><Level3><Level4><Level5><Level6><Level7/>"
               "</Level6></Level5></Level4></Level3></Level2></z:row></rs:data></xml>",
         Kind::TooDeep},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        const QString path = dir.filePath("case.xml");
        ASSERT_TRUE(test::writeAll(path, c.text));
        Rowset rowset;
        rowset.rows.resize(3);
        const auto error = LoadRowset(path, rowset);
        ASSERT_TRUE(error) << c.name;
        EXPECT_EQ(error->kind, c.kind) << c.name;
        EXPECT_FALSE(error->message.isEmpty()) << c.name;
        EXPECT_TRUE(rowset.rows.empty()) << c.name;
    }
    Rowset rowset;
    const auto missing = LoadRowset(dir.filePath("missing.xml"), rowset);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->kind, Kind::CannotOpen);
    EXPECT_TRUE(missing->message.contains("missing.xml"));
}

// Truncations and byte flips of a valid file: every outcome is a rowset or a
// typed error, never a crash, and a failed load leaves nothing behind.
TEST(Rowset, SurvivesTruncatedAndMutatedFiles)
{
    const QByteArray original = test::readAll(test::fixture("template.xml"));
    ASSERT_FALSE(original.isEmpty());
    QTemporaryDir dir;
    const QString path = dir.filePath("fuzz.xml");
    QRandomGenerator random(20240517);
    const char replacements[] = {'<', '>', '"', '/', '=', '\0', '\xD0', 'L', ' '};
    for (int round = 0; round < 400; ++round) {
        QByteArray text = original;
        if (round % 2 == 0) {
            text.truncate(random.bounded(static_cast<int>(original.size())));
        } else {
            for (int flips = 0; flips < 4; ++flips)
                text[random.bounded(static_cast<int>(text.size()))] =
                    replacements[random.bounded(static_cast<int>(sizeof replacements))];
        }
        ASSERT_TRUE(test::writeAll(path, text));
        Rowset rowset;
        if (LoadRowset(path, rowset))
            EXPECT_TRUE(rowset.rows.empty() && rowset.fields.isEmpty());
        else
            EXPECT_LE(rowset.levels, 6);
    }
}
