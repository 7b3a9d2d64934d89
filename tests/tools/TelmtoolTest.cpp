#include "tests/support/TestFiles.h"
#include "tests/tools/ToolRun.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/XmlDocument.h"

#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace telm;

namespace {

using test::RunTool;
using test::ToolRun;

const QString kTemplate = QStringLiteral(TELM_XMLFILES_FIXTURES "/template.xml");

// A data file as the writer makes it: the template with a header and a checksum.
QString writeDataFile(const QTemporaryDir& dir)
{
    XmlDocument xml;
    xml.load(kTemplate);
    pugi::xml_node danni = xml.root().append_child("danni");
    const std::pair<const char*, const char*> header[] = {{"period", "3/2005"},
                                                          {"bulstat", "123456786"},
                                                          {"compname", "Фирма\tООД"},
                                                          {"document", "Баланс"},
                                                          {"documenttype", "Реален документ"}};
    for (const auto& [name, text] : header)
        danni.append_child(name).text().set(text);
    xml.root().append_attribute("hash").set_value("");
    xml.root().attribute("hash").set_value(ComputeHash(SerializeRoot(xml)).toUtf8().constData());
    const QString path = dir.filePath("data.xml");
    SaveDataFile(xml, path);
    return path;
}

} // namespace

TEST(Telmtool, UsageAndHelp)
{
    struct Case
    {
        QStringList args;
        int code;
        const char* inOut;
        const char* inErr;
    };
    const Case cases[] = {
        {{}, 2, "", "Usage: telmtool"},
        {{"--help"}, 0, "verify FILE...", ""},
        {{"frobnicate"}, 2, "", "unknown command \"frobnicate\""},
        {{"hash"}, 2, "", "telmtool hash: expected"},
        {{"hash", "a", "b"}, 2, "", "telmtool hash: expected"},
        {{"hash", "--help"}, 0, "Usage: telmtool hash TEXT", ""},
        {{"verify"}, 2, "", "telmtool verify: expected"},
        {{"verify", "--help"}, 0, "Exits 0 only when every file is OK", ""},
        {{"show"}, 2, "", "telmtool show: expected"},
        {{"show", "--help"}, 0, "tab-separated", ""},
        {{"bulstat", "1", "2"}, 2, "", "telmtool bulstat: expected"},
        {{"bulstat", "--help"}, 0, "valid", ""},
    };
    for (const Case& c : cases) {
        const ToolRun r = RunTool(c.args);
        const std::string name = c.args.join(' ').toStdString();
        EXPECT_EQ(r.code, c.code) << name;
        EXPECT_NE(r.out.find(c.inOut), std::string::npos) << name << ": " << r.out;
        EXPECT_NE(r.err.find(c.inErr), std::string::npos) << name << ": " << r.err;
    }
}

// The README's synopsis is what `telmtool --help` prints, made from the command
// table: a command added, renamed or given new arguments shows in both or fails here.
TEST(Telmtool, TheReadmeSynopsisIsTheCommandTable)
{
    const QByteArray readme = test::readAll(QStringLiteral(TELM_README));
    const qsizetype section = readme.indexOf("\n## telmtool\n");
    ASSERT_GE(section, 0);
    const qsizetype start = readme.indexOf("```\n", section) + 4;
    const qsizetype end = readme.indexOf("```\n", start);
    ASSERT_GT(end, start);
    const ToolRun help = RunTool({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(readme.mid(start, end - start).toStdString(), help.out);
    EXPECT_EQ(help.out, tool::Overview().toStdString());
    for (const tool::Subcommand& command : tool::Subcommands())
        EXPECT_NE(help.out.find(std::string("  ") + command.name + " "), std::string::npos)
            << command.name;
}

// Bad usage exits 2 in every command, says so in one form and points to the
// command's help; the help itself is the usage line from the table, then the details.
TEST(Telmtool, BadUsageExitsTwoInEveryCommand)
{
    for (const tool::Subcommand& command : tool::Subcommands()) {
        const QString name = QString::fromLatin1(command.name);
        SCOPED_TRACE(command.name);
        const std::string pointer = "(see telmtool " + name.toStdString() + " --help)\n";
        // A command whose arguments are all optional (list) runs without any.
        const bool needsArguments = command.arguments[0] != '[';
        for (const QStringList& args :
             {needsArguments ? QStringList{name} : QStringList{name, "a", "b", "c"},
              QStringList{name, "--no-such-option", "file.xml"},
              QStringList{name, "file.xml", "--no-such-option"}}) {
            const ToolRun r = RunTool(args);
            EXPECT_EQ(r.code, 2) << args.join(' ').toStdString();
            EXPECT_EQ(r.err.rfind("telmtool " + name.toStdString() + ": ", 0), 0u) << r.err;
            EXPECT_TRUE(r.err.ends_with(pointer)) << r.err;
            EXPECT_TRUE(r.out.empty()) << r.out;
        }
        const ToolRun help = RunTool({name, "--help"});
        EXPECT_EQ(help.code, 0);
        EXPECT_EQ(help.out, tool::Help(command).toStdString());
        EXPECT_EQ(help.out.rfind("Usage: telmtool " + name.toStdString() + " ", 0), 0u);
    }
}

TEST(Telmtool, HashOfTextAndFile)
{
    EXPECT_EQ(RunTool({"hash", "abc"}).out, "159_471_765\n");
    EXPECT_EQ(RunTool({"hash", ""}).out, "0_0_0\n");
    EXPECT_EQ(RunTool({"hash", QString::fromUtf8("а")}).out, "30_31_255\n");

    QTemporaryDir dir;
    ASSERT_TRUE(test::writeAll(dir.filePath("t.txt"), "abc"));
    EXPECT_EQ(RunTool({"hash", "--file", dir.filePath("t.txt")}).out, "159_471_765\n");
    const ToolRun missing = RunTool({"hash", "--file", dir.filePath("none.txt")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("none.txt"), std::string::npos);
}

TEST(Telmtool, VerifyVerdicts)
{
    QTemporaryDir dir;
    const QString good = writeDataFile(dir);
    const QByteArray bytes = test::readAll(good);
    struct Case
    {
        const char* name;
        QByteArray text;
        const char* verdict;
    };
    QByteArray tampered = bytes;
    tampered.replace("Земи", "Земя");
    QByteArray spaced = bytes;
    spaced.replace("><", ">\n<");
    const Case cases[] = {
        {"ok.xml", bytes, ": OK\n"},
        {"spaced.xml", spaced, ": OK\n"},
        {"tampered.xml", tampered, ": TAMPERED\n"},
        {"broken.xml", bytes.left(bytes.size() / 2), ": INVALID: not well-formed XML"},
        {"template.xml", test::readAll(kTemplate), ": INVALID: no checksum"},
        {"other.xml", "<root hash=\"1_2_3\"/>", ": INVALID: not a data file"},
        {"empty.xml", "", ": INVALID: not well-formed XML"},
    };
    QStringList all;
    for (const Case& c : cases) {
        const QString path = dir.filePath(c.name);
        ASSERT_TRUE(test::writeAll(path, c.text));
        const ToolRun r = RunTool({"verify", path});
        EXPECT_EQ(r.out.rfind(path.toStdString() + c.verdict, 0), 0u) << c.name << ": " << r.out;
        EXPECT_EQ(r.code, std::string(c.verdict) == ": OK\n" ? 0 : 1) << c.name;
        all << path;
    }
    const ToolRun many =
        RunTool(QStringList{"verify"} + all + QStringList{dir.filePath("missing.xml")});
    EXPECT_EQ(many.code, 1);
    EXPECT_NE(many.out.find("missing.xml: INVALID: cannot read the file"), std::string::npos);
    EXPECT_EQ(RunTool({"verify", good, dir.filePath("spaced.xml")}).code, 0);
}

TEST(Telmtool, ShowListsHeaderAndRows)
{
    QTemporaryDir dir;
    const ToolRun r = RunTool({"show", writeDataFile(dir)});
    EXPECT_EQ(r.code, 0);
    const std::string expected =
        "period: 3/2005\n"
        "BULSTAT: 123456786\n"
        "company: Фирма ООД\n"
        "document: Баланс\n"
        "kind: Реален документ\n"
        "\n"
        "level\tidentifier\tcode\ttitle\tDocDta_Sum1\tDocDta_Sum2\tDocDta_Sum3\n"
        "1\t1\t\tАКТИВ\t0\t0\t0\n"
        "2\t2\t1000\tНетекущи активи & други\t0\t0\t0\n"
        "3\t3\t1010\tЗеми\t0\t0\t0\n"
        "3\t4\t1020\tСгради\t0\t0\t0\n"
        "2\t5\t2000\tТекущи активи\t0\t7\t0\n"
        "1\t6\t\tПАСИВ\t0\t0\t0\n"
        "2\t7\t3000\tКапитал\t0\t0\t0\n";
    EXPECT_EQ(r.out, expected);

    ASSERT_TRUE(test::writeAll(dir.filePath("bad.xml"), "<xml><s:Schema/></xml>"));
    const ToolRun bad = RunTool({"show", dir.filePath("bad.xml")});
    EXPECT_EQ(bad.code, 1);
    EXPECT_FALSE(bad.err.empty());
    EXPECT_TRUE(bad.out.empty());
}

TEST(Telmtool, Bulstat)
{
    struct Case
    {
        const char* number;
        int code;
        const char* out;
    };
    const Case cases[] = {
        {"123456786", 0, "valid\n"},
        {"123456787", 1, "invalid\n"},
        {"abc", 1, "invalid\n"},
    };
    for (const Case& c : cases) {
        const ToolRun r = RunTool({"bulstat", c.number});
        EXPECT_EQ(r.code, c.code) << c.number;
        EXPECT_EQ(r.out, c.out) << c.number;
    }
}

// verify, show and hash --file read only ordinary files: a FIFO would block
// them for ever, a device would never end.
TEST(Telmtool, WhatIsNoOrdinaryFileIsRefusedAtOnce)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo.xml"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {fifo, QStringLiteral("/dev/zero"), dir.path()}) {
        SCOPED_TRACE(path.toStdString());
        const ToolRun verify = RunTool({"verify", path});
        EXPECT_EQ(verify.code, 1);
        EXPECT_NE(verify.out.find("INVALID"), std::string::npos) << verify.out;
        EXPECT_EQ(RunTool({"show", path}).code, 1);
        EXPECT_EQ(RunTool({"hash", "--file", path}).code, 1);
    }
}
