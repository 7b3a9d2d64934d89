#include "platform/HelpTopics.h"

#include <QFile>
#include <QObject>
#include <QVariant>

#include <pugixml.hpp>
#include <sstream>

namespace telm::platform {

namespace {

QString innerMarkup(const pugi::xml_node& topic)
{
    std::ostringstream out;
    for (const pugi::xml_node& child : topic.children())
        child.print(out, "", pugi::format_raw);
    return QString::fromStdString(out.str()).trimmed();
}

} // namespace

const HelpTopic* HelpFile::find(int id) const
{
    const int index = indexOf(id);
    return index < 0 ? nullptr : &topics[static_cast<std::size_t>(index)];
}

int HelpFile::indexOf(int id) const
{
    for (std::size_t i = 0; i < topics.size(); ++i)
        if (topics[i].id == id)
            return static_cast<int>(i);
    return -1;
}

HelpLoadResult ParseHelpText(const QByteArray& utf8)
{
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed =
        doc.load_buffer(utf8.constData(), static_cast<std::size_t>(utf8.size()),
                        pugi::parse_default, pugi::encoding_utf8);
    if (!parsed)
        return {std::nullopt, QString::fromUtf8(parsed.description())};
    const pugi::xml_node root = doc.child("help");
    if (!root)
        return {std::nullopt, QStringLiteral("no <help> element")};

    HelpFile file;
    file.title = QString::fromUtf8(root.attribute("title").as_string());
    for (const pugi::xml_node& node : root.children("topic")) {
        const int id = node.attribute("id").as_int(0);
        if (id <= 0 || file.indexOf(id) >= 0)
            continue; // a topic without a usable number cannot be reached
        file.topics.push_back(
            {id, QString::fromUtf8(node.attribute("title").as_string()), innerMarkup(node)});
    }
    if (file.topics.empty())
        return {std::nullopt, QStringLiteral("no topics")};
    return {std::move(file), {}};
}

HelpLoadResult LoadHelpFile(const QString& path)
{
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly))
        return {std::nullopt, source.errorString()};
    return ParseHelpText(source.readAll());
}

std::optional<int> HelpTopicOf(const QObject* object)
{
    if (!object)
        return std::nullopt;
    bool ok = false;
    const int topic = object->property(kHelpTopicProperty).toInt(&ok);
    if (!ok || topic <= 0)
        return std::nullopt;
    return topic;
}

std::optional<int> ResolveHelpTopic(const QObject* highlightedAction, const QObject* activeWindow)
{
    if (const auto topic = HelpTopicOf(highlightedAction))
        return topic;
    for (const QObject* object = activeWindow; object; object = object->parent())
        if (const auto topic = HelpTopicOf(object))
            return topic;
    return std::nullopt;
}

} // namespace telm::platform
