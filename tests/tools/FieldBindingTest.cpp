// Saved statements whose schema lists the fields in another order, lacks a
// field of the form or holds one the form does not know: the program's grid,
// the printed form, telmtool show, extract and check read the same amounts,
// a correction saves them whole, and rows that are not the form's are refused.
#include "editor/DocumentEngine.h"
#include "selection/DocumentContext.h"
#include "selection/DocumentOpening.h"
#include "tests/support/PdfText.h"
#include "tests/support/TestFiles.h"
#include "tests/tools/ToolRun.h"
#include "xmlfiles/Checksum.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/XmlDocument.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <functional>
#include <map>
#include <pugixml.hpp>

#include <gtest/gtest.h>

using namespace telm;

namespace {

using Edit = std::function<void(pugi::xml_node root)>;

std::vector<pugi::xml_node> schemaLevels(pugi::xml_node root)
{
    std::vector<pugi::xml_node> types;
    for (const pugi::xpath_node& type : root.select_nodes(".//s:ElementType"))
        types.push_back(type.node());
    return types;
}

std::vector<pugi::xml_node> rows(pugi::xml_node root)
{
    std::vector<pugi::xml_node> all;
    for (const pugi::xpath_node& row : root.select_nodes("rs:data//*"))
        all.push_back(row.node());
    return all;
}

pugi::xml_node declaration(pugi::xml_node type, const char* field)
{
    return type.find_child_by_attribute("s:AttributeType", "name", field);
}

// `field` declared just before `before` at every level.
Edit moveBefore(const char* field, const char* before)
{
    return [=](pugi::xml_node root) {
        for (pugi::xml_node type : schemaLevels(root))
            type.insert_move_before(declaration(type, field), declaration(type, before));
    };
}

// The file as an older form wrote it: the field neither declared nor on a row.
Edit drop(const char* field)
{
    return [=](pugi::xml_node root) {
        for (pugi::xml_node type : schemaLevels(root))
            type.remove_child(declaration(type, field));
        for (pugi::xml_node row : rows(root))
            row.remove_attribute(field);
    };
}

// A field the form does not know, declared at every level and on every row.
Edit add(const char* field, const char* value)
{
    return [=](pugi::xml_node root) {
        for (pugi::xml_node type : schemaLevels(root)) {
            pugi::xml_node copy = type.insert_copy_after(declaration(type, "DocDta_Sum1"),
                                                         declaration(type, "DocDta_Sum1"));
            copy.attribute("name").set_value(field);
        }
        for (pugi::xml_node row : rows(root))
            row.append_attribute(field).set_value(value);
    };
}

// The field of one row.
Edit setOn(const char* id, const char* field, const char* value)
{
    return [=](pugi::xml_node root) {
        for (pugi::xml_node row : rows(root))
            if (std::string_view(row.attribute("DocStr_ID").value()) == id)
                row.attribute(field).set_value(value);
    };
}

class FieldBindingTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(test::makeProgramFolder(dir.path())); }

    // telmtool fill: a new statement, or a correction of the one saved before.
    QString fill(const char* code, const QStringList& sets)
    {
        QStringList args{"fill",      "--type",    QString::fromLatin1(code),
                         "--bulstat", "123456786", "--company",
                         "Фирма ООД", "--year",    "2025",
                         "--month",   "12",        "--folder",
                         dir.path()};
        for (const QString& set : sets)
            args << "--set" << set;
        const test::ToolRun run = test::RunTool(args);
        EXPECT_EQ(run.code, 0) << run.err;
        return QString::fromStdString(run.out).trimmed();
    }

    // The saved file changed by `edit`, with its checksum renewed: a file that verifies.
    static void rewrite(const QString& path, const Edit& edit)
    {
        XmlDocument xml;
        ASSERT_TRUE(xml.load(path));
        edit(xml.root());
        const QString hash = ComputeRootHash(xml);
        xml.root().attribute("hash").set_value(hash.toUtf8().constData());
        ASSERT_TRUE(SaveDataFile(xml, path).ok);
        EXPECT_EQ(test::RunTool({"verify", path}).code, 0);
    }

    // The program's grid of a saved file, read only; the refusal's text when refused.
    struct Shown
    {
        std::unique_ptr<DocumentEngine> engine;
        QString refusal;
        QString cell(const char* id, int col) const
        {
            const GridModel& grid = engine->grid();
            for (int r = 1; r < grid.Rows(); ++r)
                if (grid.TextMatrix(r, engine->profile().idColumn) == QLatin1String(id))
                    return grid.TextMatrix(r, col);
            return QStringLiteral("no row");
        }
    };
    Shown open(const QString& path)
    {
        state.programFolder = dir.path();
        state.FilePrefix = QStringLiteral("VELDOR");
        const Opening opening = OpenFromDataFile(state, path);
        Shown shown;
        if (!opening.document) {
            shown.refusal = opening.message ? opening.message->text : QStringLiteral("?");
            return shown;
        }
        shown.engine = std::make_unique<DocumentEngine>(state, *opening.document,
                                                        DocumentEngine::Access::ReadOnly);
        if (const std::optional<UserMessage> failure = shown.engine->load())
            shown.refusal = failure->text;
        return shown;
    }

    // telmtool show's fields of the row with the identifier, by column heading.
    static std::map<QString, QString> shownRow(const QString& path, const char* id)
    {
        const test::ToolRun run = test::RunTool({"show", path});
        EXPECT_EQ(run.code, 0) << run.err;
        const QStringList lines = QString::fromStdString(run.out).split(u'\n');
        const qsizetype heading = lines.indexOf(QRegularExpression(QStringLiteral("^level\\t.*")));
        std::map<QString, QString> fields;
        if (heading < 0)
            return fields;
        const QStringList names = lines[heading].split(u'\t');
        for (qsizetype i = heading + 1; i < lines.size(); ++i) {
            const QStringList values = lines[i].split(u'\t');
            if (values.size() == names.size() && values[1] == QLatin1String(id))
                for (qsizetype k = 0; k < names.size(); ++k)
                    fields[names[k]] = values[k];
        }
        return fields;
    }

    // What a tool printed about a file, with the file's path taken out.
    static QString toolOutput(const QStringList& args, const QString& path)
    {
        return QString::fromStdString(test::RunTool(args).out).replace(path, QStringLiteral("F"));
    }

    QString printed(const QString& path)
    {
        const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
        QFile::remove(pdf);
        const test::ToolRun run =
            test::RunTool({"print", path, "--pdf", pdf, "--folder", dir.path()});
        EXPECT_EQ(run.code, 0) << run.err;
        QString text;
        for (int page = 1; page <= test::PdfPageCount(pdf); ++page)
            text += test::PdfPageText(pdf, page);
        return text;
    }

    QTemporaryDir dir;
    AppState state;
};

TEST_F(FieldBindingTest, AmountsSwappedInTheSchemaReadAlikeEverywhereAndThroughACorrection)
{
    const QString path = fill("Bal", {"40:DocDta_Sum2=555", "40:DocDta_Sum3=777"});
    const QString plain = dir.filePath(QStringLiteral("plain.xml"));
    ASSERT_TRUE(QFile::copy(path, plain));
    const QString check = dir.filePath(QStringLiteral("Blanki/Checks.txt"));
    const QString plainCheck = toolOutput({"check", "--controls", check, plain}, plain);
    const QString plainExtract = toolOutput({"extract", plain}, plain);
    rewrite(path, moveBefore("DocDta_Sum3", "DocDta_Sum2"));

    const Shown shown = open(path);
    ASSERT_TRUE(shown.refusal.isEmpty()) << shown.refusal.toStdString();
    EXPECT_EQ(shown.cell("40", 6), "555"); // Коректив
    EXPECT_EQ(shown.cell("40", 7), "777"); // Текуща година
    EXPECT_TRUE(printed(path).contains(QStringLiteral("777")));
    const std::map<QString, QString> row = shownRow(path, "40");
    EXPECT_EQ(row.at("DocDta_Sum2"), "555");
    EXPECT_EQ(row.at("DocDta_Sum3"), "777");
    EXPECT_EQ(toolOutput({"extract", path}, path), plainExtract);
    EXPECT_EQ(toolOutput({"check", "--controls", check, path}, path), plainCheck);

    // A correction keeps the file's own order and every amount in its field.
    fill("Bal", {"50:DocDta_Sum3=20"});
    EXPECT_EQ(test::RunTool({"verify", path}).code, 0);
    const QByteArray saved = test::readAll(path);
    EXPECT_LT(saved.indexOf("name=\"DocDta_Sum3\""), saved.indexOf("name=\"DocDta_Sum2\""));
    const Shown again = open(path);
    EXPECT_EQ(again.cell("40", 6), "555");
    EXPECT_EQ(again.cell("40", 7), "777");
    EXPECT_EQ(shownRow(path, "50").at("DocDta_Sum3"), "20");
}

TEST_F(FieldBindingTest, AnEquityStatementFromBeforeAFieldOpensPrintsAndSavesIt)
{
    struct Case
    {
        const char* field;
        const char* sum9;      // the grid's DocDta_Sum9 of a row without an amount there
        const char* afterSave; // the value every row holds once corrected
    };
    for (const Case& c : {Case{"DocStr_Note", "0", ""}, Case{"DocDta_Sum9", "", "0"}}) {
        SCOPED_TRACE(c.field);
        const QString path = fill("Cap", {"10:DocDta_Sum1=300"});
        rewrite(path, drop(c.field));

        const Shown shown = open(path);
        ASSERT_TRUE(shown.refusal.isEmpty()) << shown.refusal.toStdString();
        EXPECT_EQ(shown.cell("10", 5), "300");
        EXPECT_EQ(shown.cell("10", 13), c.sum9); // empty when the file lacks the field
        EXPECT_TRUE(printed(path).contains(QStringLiteral("300")));
        EXPECT_EQ(shownRow(path, "10").at("DocDta_Sum1"), "300");
        EXPECT_TRUE(
            toolOutput({"extract", path}, path).contains(QStringLiteral(",DocDta_Sum1,300\r\n")));

        fill("Cap", {"30:DocDta_Sum1=5"});
        EXPECT_EQ(test::RunTool({"verify", path}).code, 0);
        XmlDocument saved;
        ASSERT_TRUE(saved.load(path));
        ASSERT_FALSE(schemaLevels(saved.root()).empty());
        for (pugi::xml_node type : schemaLevels(saved.root()))
            EXPECT_TRUE(declaration(type, c.field));
        for (pugi::xml_node row : rows(saved.root()))
            EXPECT_STREQ(row.attribute(c.field).as_string("absent"), c.afterSave);
        EXPECT_EQ(open(path).cell("30", 5), "5");
        QFile::remove(path);
    }
}

TEST_F(FieldBindingTest, AFieldTheFormDoesNotKnowIsKeptThroughACorrection)
{
    const QString path = fill("Bal", {"40:DocDta_Sum3=777"});
    rewrite(path, add("DocStr_Remark", "бележка & \"x\""));
    rewrite(path, add("DocDta_Sum9", "42"));

    const Shown shown = open(path);
    ASSERT_TRUE(shown.refusal.isEmpty()) << shown.refusal.toStdString();
    EXPECT_EQ(shown.engine->grid().Cols(), 11); // the form's own columns
    EXPECT_EQ(shown.cell("40", 7), "777");
    EXPECT_TRUE(printed(path).contains(QStringLiteral("777")));
    EXPECT_EQ(shownRow(path, "40").at("DocDta_Sum9"), "42");

    fill("Bal", {"50:DocDta_Sum3=20"});
    EXPECT_EQ(test::RunTool({"verify", path}).code, 0);
    XmlDocument saved;
    ASSERT_TRUE(saved.load(path));
    for (pugi::xml_node row : rows(saved.root())) {
        EXPECT_STREQ(row.attribute("DocStr_Remark").value(), "бележка & \"x\"");
        EXPECT_STREQ(row.attribute("DocDta_Sum9").value(), "42");
    }
    EXPECT_EQ(open(path).cell("50", 7), "20");
}

TEST_F(FieldBindingTest, RowsThatAreNotTheFormsAreRefused)
{
    struct Case
    {
        const char* name;
        Edit edit;
    };
    const Case cases[] = {
        {"an identifier the form has not", setOn("40", "DocStr_ID", "45")},
        {"no identifiers", drop("DocStr_ID")},
        {"a row under another parent",
         [](pugi::xml_node root) {
             // The first top-level row's first child moved under the second top-level row.
             pugi::xml_node first = root.child("rs:data").child("z:row");
             pugi::xml_node second = first.next_sibling("z:row");
             second.append_move(first.child("Level2"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = fill("Bal", {"40:DocDta_Sum3=777"});
        rewrite(path, c.edit);
        const QString refusal = open(path).refusal;
        EXPECT_TRUE(refusal.contains(QStringLiteral("няма структурата на документа \"Баланс\"")))
            << refusal.toStdString();
        const QString pdf = dir.filePath(QStringLiteral("refused.pdf"));
        EXPECT_EQ(test::RunTool({"print", path, "--pdf", pdf, "--folder", dir.path()}).code, 1);
        QFile::remove(path);
    }
}

} // namespace
