// The shipped help file: every topic number the program opens is there, with
// its title and text, and every link inside it leads to a topic.
#include "platform/HelpTopics.h"
#include "selection/Catalogue.h"
#include "tests/support/TestFiles.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace telm;

namespace {

class ShippedHelp : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::HelpLoadResult loaded =
            platform::LoadHelpFile(test::sourceData(QStringLiteral("Help.hlp")));
        ASSERT_TRUE(loaded.file) << loaded.error.toStdString();
        m_file = std::move(*loaded.file);
    }

    platform::HelpFile m_file;
};

TEST_F(ShippedHelp, WindowsAndMenuItemsHaveTheirTopics)
{
    const struct
    {
        int id;
        const char* title;
    } topics[] = {
        {1000, "Главен прозорец"},
        {2000, "Регистри"},
        {2005, "Въвеждане на документи"},
        {2080, "Корекция на документ"},
        {2085, "Съхранение на данни на дискета"},
        {3000, "Помощ"},
        {4000, "Изход"},
        {114, "Работа с документ"},
        {2095, "Контроли за съгласуваност"},
        {2100, "Работа с екранен четец"},
        {2110, "Импорт от оборотна ведомост"},
    };
    for (const auto& t : topics) {
        const platform::HelpTopic* topic = m_file.find(t.id);
        ASSERT_NE(topic, nullptr) << t.id;
        EXPECT_EQ(topic->title, QString::fromUtf8(t.title)) << t.id;
        EXPECT_GT(topic->html.size(), 200) << t.id;
    }
}

TEST_F(ShippedHelp, EveryDocumentTypeHasItsTopicUnderItsTitle)
{
    for (const DocType& type : Catalogue()) {
        const platform::HelpTopic* topic = m_file.find(type.helpTopic);
        ASSERT_NE(topic, nullptr) << type.helpTopic;
        EXPECT_EQ(topic->title, type.titleText()) << type.helpTopic;
        EXPECT_TRUE(topic->html.contains(QStringLiteral("Enter"))) << type.helpTopic;
        EXPECT_TRUE(topic->html.contains(QStringLiteral("Esc"))) << type.helpTopic;
    }
}

TEST_F(ShippedHelp, LinksLeadToTopicsOfTheFile)
{
    static const QRegularExpression link(QStringLiteral("href=\"topic:(\\d+)\""));
    for (const platform::HelpTopic& topic : m_file.topics) {
        auto matches = link.globalMatch(topic.html);
        while (matches.hasNext()) {
            const int target = matches.next().captured(1).toInt();
            EXPECT_NE(m_file.find(target), nullptr) << topic.id << " -> " << target;
        }
    }
}

} // namespace
