// Reading the help file and choosing the topic F1 opens, without windows.
#include "platform/HelpTopics.h"

#include <QObject>
#include <QVariant>

#include <memory>

#include <gtest/gtest.h>

using namespace telm::platform;

namespace {

TEST(HelpFileParse, TopicsKeepFileOrderTitlesAndMarkup)
{
    const HelpLoadResult result = ParseHelpText(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<help title=\"TELM Transfer - Помощ\">\n"
        "  <topic id=\"2000\" title=\"Регистри\">\n"
        "    <p>Меню <b>Регистри</b> &amp; <a href=\"topic:2005\">връзка</a></p>\n"
        "  </topic>\n"
        "  <topic id=\"1000\" title=\"Главен прозорец\"><p>Първи</p><ul><li>а</li></ul></topic>\n"
        "</help>\n");
    ASSERT_TRUE(result.file) << result.error.toStdString();
    const HelpFile& file = *result.file;
    EXPECT_EQ(file.title, QStringLiteral("TELM Transfer - Помощ"));
    ASSERT_EQ(file.topics.size(), 2u);
    EXPECT_EQ(file.topics[0].id, 2000);
    EXPECT_EQ(file.topics[0].title, QStringLiteral("Регистри"));
    EXPECT_EQ(
        file.topics[0].html,
        QStringLiteral("<p>Меню <b>Регистри</b> &amp; <a href=\"topic:2005\">връзка</a></p>"));
    EXPECT_EQ(file.topics[1].html, QStringLiteral("<p>Първи</p><ul><li>а</li></ul>"));
    EXPECT_EQ(file.indexOf(1000), 1);
    EXPECT_EQ(file.find(3000), nullptr);
}

TEST(HelpFileParse, UnreachableTopicsAreSkippedAndTheFirstOfTwinsWins)
{
    const HelpLoadResult result =
        ParseHelpText("<help><topic id=\"0\" title=\"нула\"/><topic title=\"без номер\"/>"
                      "<topic id=\"x\" title=\"буква\"/><topic id=\"114\" title=\"първи\"/>"
                      "<topic id=\"114\" title=\"втори\"/></help>");
    ASSERT_TRUE(result.file);
    ASSERT_EQ(result.file->topics.size(), 1u);
    EXPECT_EQ(result.file->topics[0].title, QStringLiteral("първи"));
}

TEST(HelpFileParse, UnusableFilesGiveAReasonInsteadOfTopics)
{
    const char* const cases[] = {
        "",
        "not xml at all",
        "<help><topic id=\"1\">",             // cut short
        "<topics><topic id=\"1\"/></topics>", // another root
        "<help title=\"празно\"/>",           // nothing to show
    };
    for (const char* text : cases) {
        const HelpLoadResult result = ParseHelpText(QByteArray(text));
        EXPECT_FALSE(result.file) << text;
        EXPECT_FALSE(result.error.isEmpty()) << text;
    }
}

TEST(HelpFileLoad, MissingFileReportsTheReason)
{
    const HelpLoadResult result = LoadHelpFile(QStringLiteral("/nonexistent/folder/Help.hlp"));
    EXPECT_FALSE(result.file);
    EXPECT_FALSE(result.error.isEmpty());
}

std::unique_ptr<QObject> objectWithTopic(QObject* parent, const QVariant& topic)
{
    auto object = std::make_unique<QObject>(parent);
    if (topic.isValid())
        object->setProperty(kHelpTopicProperty, topic);
    return object;
}

TEST(HelpTopicResolve, HighlightedItemFirstThenWindowThenItsOwners)
{
    struct Case
    {
        const char* name;
        bool highlighted; // a menu item is highlighted
        QVariant action;  // its topic
        QVariant window;  // the active window's topic
        QVariant owner;   // the topic of the window it belongs to
        std::optional<int> expected;
    };
    const Case cases[] = {
        {"menu item wins", true, 2080, 2005, 1000, 2080},
        {"item without topic falls to window", true, QVariant(), 2005, 1000, 2005},
        {"item with zero falls to window", true, 0, 2005, 1000, 2005},
        {"no item: the window", false, QVariant(), 2005, 1000, 2005},
        {"window without topic uses its owner", false, QVariant(), QVariant(), 1000, 1000},
        {"text property that is a number", false, QVariant(), QStringLiteral("2010"), 1000, 2010},
        {"nothing carries a topic", false, QVariant(), QVariant(), QVariant(), std::nullopt},
        {"negative is no topic", true, -5, QVariant(), QVariant(), std::nullopt},
    };
    for (const Case& c : cases) {
        auto owner = objectWithTopic(nullptr, c.owner);
        QObject* window = objectWithTopic(owner.get(), c.window).release(); // owned by owner
        auto action = c.highlighted ? objectWithTopic(nullptr, c.action) : nullptr;
        EXPECT_EQ(ResolveHelpTopic(action.get(), window), c.expected) << c.name;
    }
    EXPECT_EQ(ResolveHelpTopic(nullptr, nullptr), std::nullopt);
}

} // namespace
