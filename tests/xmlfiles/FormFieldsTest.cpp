// Fields bound by name: a file's schema in another order, without a field of
// the form or with one the form does not know reads into the form's columns
// alike and is written back whole; a file whose rows are not the form's is told.
#include "xmlfiles/FormFields.h"

#include "tests/support/TestFiles.h"
#include "tests/xmlfiles/WriterFakes.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/Rowset.h"
#include "xmlfiles/XmlDocument.h"

#include <QTemporaryDir>

#include <pugixml.hpp>

#include <gtest/gtest.h>

using namespace telm;

namespace {

// The fixture template's declaration of a field at every level, and its value on a row.
QByteArray declaration(const char* name)
{
    return QByteArray("<s:AttributeType name=\"") + name
           + "\" rs:number=\"9\" rs:write=\"true\"><s:datatype dt:type=\"string\" "
             "dt:maxLength=\"255\"/></s:AttributeType>";
}

QByteArray declared(const QByteArray& text, const char* name)
{
    const QByteArray start = QByteArray("<s:AttributeType name=\"") + name + "\"";
    const qsizetype at = text.indexOf(start);
    return text.mid(at, text.indexOf("</s:AttributeType>", at) + 18 - at);
}

// The template with DocDta_Sum3 declared before DocDta_Sum2 at every level.
QByteArray reordered(QByteArray text)
{
    const QByteArray sum2 = declared(text, "DocDta_Sum2");
    const QByteArray sum3 = declared(text, "DocDta_Sum3");
    return text.replace(sum2, "@").replace(sum3, sum2).replace("@", sum3);
}

// Without DocStr_Flag: neither declared nor on any row.
QByteArray withoutFlag(QByteArray text)
{
    text.replace(declared(text, "DocStr_Flag"), "");
    for (const char* value : {" DocStr_Flag=\"0\"", " DocStr_Flag=\"1\""})
        text.replace(value, "");
    return text;
}

// With DocStr_Extra declared at every level and on every row, before the amounts.
QByteArray withExtra(QByteArray text)
{
    const QByteArray sum1 = declared(text, "DocDta_Sum1");
    text.replace(sum1, declaration("DocStr_Extra") + sum1);
    return text.replace(" DocDta_Sum1=", " DocStr_Extra=\"x\" DocDta_Sum1=");
}

Rowset load(const QByteArray& text, const QStringList& layout = {})
{
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_buffer(text.constData(), size_t(text.size())));
    Rowset rowset;
    const std::optional<RowsetError> error = LoadRowset(doc, rowset, layout);
    EXPECT_FALSE(error) << (error ? error->message.toStdString() : "");
    return rowset;
}

} // namespace

TEST(FieldsByName, AnyOrderAMissingAndAnUnknownFieldReadIntoTheFormsColumns)
{
    const QByteArray form = test::readAll(test::fixture("template.xml"));
    const Rowset expected = load(form);
    const int flag = expected.column("DocStr_Flag");
    struct Case
    {
        const char* name;
        QByteArray file;
        int emptyColumn; // the form's column the file lacks, -1 for none
    };
    const Case cases[] = {
        {"reordered", reordered(form), -1},
        {"missing", withoutFlag(form), flag},
        {"unknown", withExtra(form), -1},
        {"all three", withExtra(withoutFlag(reordered(form))), flag},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Rowset bound = load(c.file, expected.fields);
        EXPECT_EQ(bound.fields, expected.fields);
        ASSERT_EQ(bound.rows.size(), expected.rows.size());
        for (size_t r = 0; r < bound.rows.size(); ++r) {
            std::vector<QString> cells = expected.rows[r].cells;
            if (c.emptyColumn >= 0)
                cells[size_t(c.emptyColumn)].clear();
            EXPECT_EQ(bound.rows[r].cells, cells) << r;
            EXPECT_EQ(bound.rows[r].band, expected.rows[r].band);
        }
    }
    // Read in its own order, a reordered file names its amounts by number all the same.
    const Rowset own = load(reordered(form));
    EXPECT_EQ(own.fields.at(6), "DocDta_Sum3");
    std::vector<QString> amounts;
    for (const int col : AmountColumnsByNumber(own))
        amounts.push_back(own.fields.at(col));
    EXPECT_EQ(amounts, (std::vector<QString>{"DocDta_Sum1", "DocDta_Sum2", "DocDta_Sum3"}));
}

TEST(FieldsByName, AnAttributeNoSchemaDeclaresIsStillRefused)
{
    const QByteArray form = test::readAll(test::fixture("template.xml"));
    QByteArray file = form;
    file.replace("DocStr_ID=\"3\"", "DocStr_ID=\"3\" DocStr_Stray=\"1\"");
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_buffer(file.constData(), size_t(file.size())));
    Rowset rowset;
    const std::optional<RowsetError> error = LoadRowset(doc, rowset, load(form).fields);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind, RowsetError::Kind::UnknownField);
}

TEST(FormRows, AFilesRowsMustBeTheFormsAtTheirLevelAndParent)
{
    const QByteArray form = test::readAll(test::fixture("template.xml"));
    const Rowset expected = load(form);
    struct Case
    {
        const char* name;
        QByteArray file;
        const char* fault; // a part of the fault, nullptr when the rows are the form's
    };
    QByteArray fewer = form;
    fewer.replace(fewer.mid(fewer.indexOf("<Level3 DocStr_Name=\"Сгради\""),
                            fewer.indexOf("/>", fewer.indexOf("<Level3 DocStr_Name=\"Сгради\"")) + 2
                                - fewer.indexOf("<Level3 DocStr_Name=\"Сгради\"")),
                  "");
    QByteArray foreign = form;
    foreign.replace("DocStr_ID=\"4\"", "DocStr_ID=\"40\"");
    QByteArray deeper = form; // the level-2 row 5 written as a level-3 row under row 2
    deeper.replace("</Level2>\n      <Level2 DocStr_Name=\"Текущи активи\"",
                   "<Level3 DocStr_Name=\"Текущи активи\"");
    deeper.replace("DocDta_Sum2=\"7\" DocDta_Sum3=\"0\"/>\n    </z:row>",
                   "DocDta_Sum2=\"7\" DocDta_Sum3=\"0\"/>\n      </Level2>\n    </z:row>");
    QByteArray moved = form; // row 7 under the first top-level row instead of the second
    moved.replace("DocStr_ID=\"5\"", "DocStr_ID=\"7\"");
    moved.replace("DocStr_ID=\"7\" DocStr_ParentID=\"6\"", "DocStr_ID=\"5\" DocStr_ParentID=\"6\"");
    const Case cases[] = {
        {"the form's rows", form, nullptr},
        {"fewer rows", fewer, nullptr},
        {"reordered fields", reordered(form), nullptr},
        {"an identifier the form has not", foreign, "„40“ на ниво 3"},
        {"a row at another level", deeper, "„5“ на ниво 3"},
        {"a row under another parent", moved, "редът 7 стои под ред 1, а в документа е под ред 6"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Rowset file = load(c.file, expected.fields);
        const std::optional<QString> fault = FormRowsFault(expected, file, 2);
        if (!c.fault) {
            EXPECT_FALSE(fault) << fault->toStdString();
            continue;
        }
        ASSERT_TRUE(fault);
        EXPECT_TRUE(fault->contains(QString::fromUtf8(c.fault))) << fault->toStdString();
    }
}

TEST(FormFields, ACorrectionWritesTheMissingFieldAndKeepsTheUnknownOne)
{
    QTemporaryDir dir;
    const QString formPath = test::fixture("template.xml");
    const QByteArray form = test::readAll(formPath);
    const QString source = dir.filePath("data.xml");
    ASSERT_TRUE(test::writeAll(source, withExtra(withoutFlag(reordered(form)))));

    // The grid as the form shows the file: the form's columns, amounts by name.
    const Rowset layout = load(form);
    const Rowset shown = load(test::readAll(source), layout.fields);
    test::FakeGrid grid;
    grid.rows.push_back({});
    for (const RowsetRow& row : shown.rows)
        grid.rows.push_back({row.band, row.cells});
    grid.rows[1].cells[6] = "12"; // DocDta_Sum2 of row 1
    grid.rows[1].cells[7] = "777";

    XmlDocument xml;
    ASSERT_FALSE(WriteDataDocument(xml, source, grid, DataHeader(),
                                   {"DocDta_Sum1", "DocDta_Sum2", "DocDta_Sum3"}, {5, 6, 7}, 1, 2,
                                   test::readDisplayAmount, formPath));
    ASSERT_TRUE(SaveDataFile(xml, source).ok);

    XmlDocument reopened;
    ASSERT_TRUE(reopened.load(source));
    EXPECT_TRUE(VerifyDataHash(reopened));
    // Declared once at each of the three levels, after the file's own fields.
    const QByteArray saved = test::readAll(source);
    EXPECT_EQ(saved.count("<s:AttributeType name=\"DocStr_Flag\""), 3);
    EXPECT_EQ(saved.count("DocStr_Extra=\"x\""), 7);
    EXPECT_EQ(saved.count("DocStr_Flag=\"\""), 7);
    const pugi::xml_node first = reopened.root().child("rs:data").child("z:row");
    EXPECT_STREQ(first.attribute("DocDta_Sum2").value(), "12");
    EXPECT_STREQ(first.attribute("DocDta_Sum3").value(), "777");
    // The schema keeps its own order: DocDta_Sum3 still before DocDta_Sum2.
    EXPECT_LT(saved.indexOf("name=\"DocDta_Sum3\""), saved.indexOf("name=\"DocDta_Sum2\""));

    // Read back into the form: what the grid held, the missing field now empty text.
    const Rowset again = load(saved, layout.fields);
    ASSERT_EQ(again.rows.size(), shown.rows.size());
    for (size_t r = 0; r < again.rows.size(); ++r)
        EXPECT_EQ(again.rows[r].cells[2], shown.rows[r].cells[2]);
    EXPECT_EQ(again.rows[0].cells[7], "777");

    // A second save adds nothing more.
    ASSERT_FALSE(WriteDataDocument(xml, source, grid, DataHeader(),
                                   {"DocDta_Sum1", "DocDta_Sum2", "DocDta_Sum3"}, {5, 6, 7}, 1, 2,
                                   test::readDisplayAmount, formPath));
    ASSERT_TRUE(SaveDataFile(xml, source).ok);
    EXPECT_EQ(test::readAll(source).count("<s:AttributeType name=\"DocStr_Flag\""), 3);
}
