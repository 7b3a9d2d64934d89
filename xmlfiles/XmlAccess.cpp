#include "xmlfiles/XmlAccess.h"

#include <exception>

namespace telm {

namespace {

// pugixml throws on a malformed location path; the access functions never do.
pugi::xpath_node firstMatch(const pugi::xml_node& context, const QString& path)
{
    if (!context)
        return {};
    try {
        return context.select_node(path.toUtf8().constData());
    } catch (const std::exception&) {
        return {};
    }
}

// The text of every text node below `top`, in document order. pugixml's
// traversal does not recurse, so a deeply nested hostile file cannot exhaust
// the stack.
void appendTextContent(pugi::xml_node top, std::string& out)
{
    struct Collector : pugi::xml_tree_walker
    {
        std::string& text;
        explicit Collector(std::string& target) : text(target) {}
        bool for_each(pugi::xml_node& node) override
        {
            if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
                text += node.value();
            return true;
        }
    } collector(out);
    top.traverse(collector);
}

bool isXmlBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

} // namespace

QString NormaliseElementText(const QString& text)
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(u'\r', u'\n');
    for (const QChar c : result) {
        if (!isXmlBlank(c))
            return result;
    }
    return {};
}

QString NodeText(const pugi::xml_node& node)
{
    if (!node)
        return {};
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
        return QString::fromUtf8(node.value());
    std::string text;
    appendTextContent(node, text);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString GetChildText(pugi::xml_node node, const QString& path)
{
    const pugi::xpath_node match = firstMatch(node, path);
    if (match.attribute())
        return QString::fromUtf8(match.attribute().value());
    return NodeText(match.node());
}

void SetChildText(pugi::xml_node parent, const QString& path, const QString& text)
{
    if (!parent)
        return;
    const QString stored = NormaliseElementText(text);
    const pugi::xpath_node match = firstMatch(parent, path);
    if (match.attribute()) {
        pugi::xml_attribute attribute = match.attribute();
        attribute.set_value(text.toUtf8().constData());
        return;
    }
    pugi::xml_node element = match.node();
    if (!element) {
        element = parent.append_child(path.toUtf8().constData());
    } else {
        while (element.first_child())
            element.remove_child(element.first_child());
    }
    // An empty text node would be written <x></x> and read back as <x/>: leave none.
    if (element && !stored.isEmpty())
        element.append_child(pugi::node_pcdata).set_value(stored.toUtf8().constData());
}

QString GetNodeAttribute(pugi::xml_node node, const QString& name)
{
    if (!node)
        return {};
    return QString::fromUtf8(node.attribute(name.toUtf8().constData()).value());
}

void SetNodeAttribute(pugi::xml_node element, const QString& name, const QString& value)
{
    if (!element || element.type() != pugi::node_element)
        return;
    const QByteArray key = name.toUtf8();
    pugi::xml_attribute attribute = element.attribute(key.constData());
    if (!attribute)
        attribute = element.append_attribute(key.constData());
    attribute.set_value(value.toUtf8().constData());
}

void SetNodeAttribute(pugi::xml_node element, const QString& name, long long value)
{
    SetNodeAttribute(element, name, QString::number(value));
}

pugi::xml_node SelectSingleNode(const pugi::xml_node& context, const QString& path)
{
    return firstMatch(context, path).node();
}

pugi::xpath_node_set SelectNodes(const pugi::xml_node& context, const QString& path)
{
    if (!context)
        return {};
    try {
        return context.select_nodes(path.toUtf8().constData());
    } catch (const std::exception&) {
        return {};
    }
}

QString RowLookupPath(int level, const QString& id)
{
    static const char* const prefixes[] = {
        "xml/rs:data/z:row[@DocStr_ID='",
        "xml/rs:data/z:row/Level2[@DocStr_ID='",
        "xml/rs:data/z:row/Level2/Level3[@DocStr_ID='",
        "xml/rs:data/z:row/Level2/Level3/Level4[@DocStr_ID='",
        "xml/rs:data/z:row/Level2/Level3/Level4/Level5[@DocStr_ID='",
        "xml/rs:data/z:row/Level2/Level3/Level4/Level5/Level6[@DocStr_ID='",
    };
    if (level < 1 || level > 6)
        return {};
    return QString::fromLatin1(prefixes[level - 1]) + id + QStringLiteral("']");
}

} // namespace telm
