#include "xmlfiles/XmlAccess.h"

#include "tests/support/TestFiles.h"
#include "xmlfiles/XmlDocument.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace telm;

namespace {

pugi::xml_document parse(const char* text)
{
    pugi::xml_document doc;
    doc.load_string(text);
    return doc;
}

} // namespace

TEST(XmlDocument, FailedLoadLeavesItEmpty)
{
    QTemporaryDir dir;
    const QString broken = dir.filePath("broken.xml");
    ASSERT_TRUE(test::writeAll(broken, "<xml><a></xml>"));
    for (const QString& path : {broken, dir.filePath("missing.xml")}) {
        XmlDocument xml;
        ASSERT_TRUE(xml.load(test::fixture("template.xml")));
        EXPECT_FALSE(xml.load(path));
        EXPECT_TRUE(xml.isEmpty());
        EXPECT_EQ(GetChildText(xml.doc(), "xml/danni/period"), QString());
        EXPECT_TRUE(SelectNodes(xml.doc(), "xml/rs:data/z:row").empty());
    }
}

TEST(XmlAccess, GetChildText)
{
    const auto doc = parse("<r><a>first</a><a>second</a><b><c>x</c>y<d>z</d></b><e/></r>");
    const pugi::xml_node r = doc.child("r");
    struct Case
    {
        const char* path;
        const char* expected;
    };
    const Case cases[] = {
        {"a", "first"}, // two matches: the first one's text
        {"b", "xyz"},   // text content of the whole subtree
        {"e", ""},      // no text
        {"missing", ""},    {"a[2]", "second"},
        {"][bad path", ""}, // a malformed path reads nothing, throws nothing
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetChildText(r, c.path), QString::fromUtf8(c.expected)) << c.path;
    EXPECT_EQ(GetChildText(pugi::xml_node(), "a"), QString());
}

TEST(XmlAccess, SetChildTextAppendsOnceAndReplacesChildren)
{
    auto doc = parse("<r><a>old<x/><y>z</y></a><a>second</a></r>");
    pugi::xml_node r = doc.child("r");
    SetChildText(r, "a", "new");
    EXPECT_EQ(GetChildText(r, "a"), "new");
    EXPECT_FALSE(r.child("a").child("x"));
    EXPECT_EQ(GetChildText(r, "a[2]"), "second");

    SetChildText(r, "period", "3/2005");
    SetChildText(r, "period", "6/2005");
    EXPECT_EQ(SelectNodes(r, "period").size(), 1u);
    EXPECT_EQ(GetChildText(r, "period"), "6/2005");
    EXPECT_EQ(std::string(r.last_child().name()), "period");

    // Empty text: an element without a text node, so it serialises as <danni/>.
    SetChildText(r, "danni", "");
    EXPECT_FALSE(r.child("danni").first_child());
    SetChildText(pugi::xml_node(), "a", "ignored");
}

TEST(XmlAccess, ElementTextIsNormalisedForStableReload)
{
    struct Case
    {
        QString given;
        QString stored;
    };
    const Case cases[] = {
        {"a\r\nb\rc", "a\nb\nc"},
        {"   ", ""},
        {" \t\r\n", ""},
        {"  padded\t", "  padded\t"},
        {QString::fromUtf8("\u00A0"), QString::fromUtf8("\u00A0")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NormaliseElementText(c.given), c.stored) << c.given.toStdString();
}

TEST(XmlAccess, NodeAttributes)
{
    auto doc = parse("<r><e full=\"v\" empty=\"\"/></r>");
    pugi::xml_node e = doc.child("r").child("e");
    EXPECT_EQ(GetNodeAttribute(e, "full"), "v");
    EXPECT_EQ(GetNodeAttribute(e, "empty"), QString());
    EXPECT_EQ(GetNodeAttribute(e, "missing"), QString());
    EXPECT_EQ(GetNodeAttribute(pugi::xml_node(), "full"), QString());

    SetNodeAttribute(e, "full", "w");
    SetNodeAttribute(e, "DocDta_Sum1", -1234LL);
    EXPECT_EQ(GetNodeAttribute(e, "full"), "w");
    EXPECT_EQ(std::string(e.last_attribute().name()), "DocDta_Sum1");
    EXPECT_EQ(std::string(e.last_attribute().value()), "-1234");
}

TEST(XmlAccess, RowLookupByLevelComparesText)
{
    XmlDocument xml;
    ASSERT_TRUE(xml.load(test::fixture("levels.xml")));
    struct Case
    {
        int level;
        const char* id;
        const char* name;
    };
    const Case cases[] = {
        {1, "10", "A"}, {2, "20", "B"}, {3, "30", "C"}, // first of two level-3 rows 30
        {4, "20", "D"},               // same identifier as a level-2 row, found only at level 4
        {3, "20", ""},                // not a level-3 identifier
        {2, "30", ""},  {3, "7", ""}, // written "07" in the file: not the text "7"
        {3, "07", "F"},
    };
    for (const Case& c : cases) {
        const pugi::xml_node row = SelectSingleNode(xml.doc(), RowLookupPath(c.level, c.id));
        EXPECT_EQ(GetNodeAttribute(row, "DocStr_Name"), QString::fromUtf8(c.name))
            << c.level << " " << c.id;
    }
    EXPECT_EQ(RowLookupPath(1, "5"), "xml/rs:data/z:row[@DocStr_ID='5']");
    EXPECT_EQ(RowLookupPath(6, "5"),
              "xml/rs:data/z:row/Level2/Level3/Level4/Level5/Level6[@DocStr_ID='5']");
    EXPECT_EQ(RowLookupPath(7, "5"), QString());
}
