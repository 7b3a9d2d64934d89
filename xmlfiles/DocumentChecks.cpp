#include "xmlfiles/DocumentChecks.h"

#include "xmlfiles/XmlAccess.h"
#include "xmlfiles/XmlDocument.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace telm {

namespace {

constexpr int kMaxLevels = 6;

// The first forbidden character of UTF-8 text, as its code; -1 when none.
long forbiddenIn(std::string_view text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return c;
        // U+FFFE and U+FFFF: EF BF BE, EF BF BF.
        if (c == 0xEF && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xBF
            && (static_cast<unsigned char>(text[i + 2]) & 0xFE) == 0xBE)
            return 0xFFFE + (static_cast<unsigned char>(text[i + 2]) & 1);
    }
    return -1;
}

QString forbiddenFault(long code)
{
    return QStringLiteral("съдържа знак, който XML не допуска (код %1)").arg(code);
}

// Elements with a repeated attribute, texts with a forbidden character.
struct Walker : pugi::xml_tree_walker
{
    std::optional<QString> fault;

    bool for_each(pugi::xml_node& node) override
    {
        if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
            if (const long code = forbiddenIn(node.value()); code >= 0)
                fault = forbiddenFault(code);
        } else if (node.type() == pugi::node_element) {
            m_names.clear();
            m_many.clear();
            for (const pugi::xml_attribute attribute : node.attributes()) {
                if (!isNewName(attribute.name())) {
                    fault = QStringLiteral("атрибутът „%1“ е записан два пъти в елемент „%2“")
                                .arg(QString::fromUtf8(attribute.name()),
                                     QString::fromUtf8(node.name()));
                    break;
                }
                if (const long code = forbiddenIn(attribute.value()); code >= 0) {
                    fault = forbiddenFault(code);
                    break;
                }
            }
        }
        return !fault;
    }

private:
    // Whether `name` is not yet among the element's attributes, and adds it.
    // A row has a dozen fields: a scan of the few names before it costs less
    // than a tree node per attribute; a long list switches to a hash set.
    bool isNewName(std::string_view name)
    {
        constexpr size_t kScanned = 32;
        if (m_names.size() < kScanned) {
            if (std::find(m_names.begin(), m_names.end(), name) != m_names.end())
                return false;
            m_names.push_back(name);
            if (m_names.size() == kScanned)
                m_many = std::unordered_set<std::string_view>(m_names.begin(), m_names.end());
            return true;
        }
        return m_many.insert(name).second;
    }

    std::vector<std::string_view> m_names;
    std::unordered_set<std::string_view> m_many;
};

// An amount as files hold it: empty, or an optional minus and decimal digits
// below 2^53 (whole leva a double holds exactly). "1e5", "5.5", "0x10", "NaN"
// or "5,5" would each be read as some number by some reader: none is one here.
bool isFileAmount(std::string_view text)
{
    if (text.empty())
        return true;
    if (text.front() == '-')
        text.remove_prefix(1);
    if (text.empty() || text.size() > 16)
        return false;
    unsigned long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<unsigned long long>(c - '0');
    }
    return value < (1ULL << 53);
}

// A row identifier: an integer of the files' 16-bit type.
bool isFileIdentifier(std::string_view text)
{
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty() || text.size() > 5)
        return false;
    long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return negative ? value <= 32768 : value <= 32767;
}

// A field of a row that holds what no reader could take as meant: an amount
// that is not whole leva in plain digits, an identifier out of its type.
std::optional<QString> badField(const pugi::xml_node& row)
{
    for (const pugi::xml_attribute attribute : row.attributes()) {
        const std::string_view name = attribute.name();
        const std::string_view value = attribute.value();
        const bool identifier =
            name == "DocStr_ID" || (name == "DocStr_ParentID" && !value.empty());
        const bool amount = name.substr(0, 7) == "DocDta_";
        if ((identifier && !isFileIdentifier(value)) || (amount && !isFileAmount(value)))
            return QStringLiteral("ред %1: полето %2 съдържа „%3“, което не е %4")
                .arg(QString::fromUtf8(row.attribute("DocStr_ID").value()),
                     QString::fromUtf8(name.data(), qsizetype(name.size())),
                     QString::fromUtf8(value.data(), qsizetype(value.size())).left(40),
                     identifier ? QStringLiteral("цяло число от -32768 до 32767")
                                : QStringLiteral("сума в цели левове"));
    }
    return std::nullopt;
}

// A DocStr_ID met twice at one level of the rows, or a field no reader could
// take as meant.
std::optional<QString> repeatedIdentifier(const pugi::xml_node& root)
{
    // The identifiers stay in the document while it is checked.
    std::array<std::unordered_set<std::string_view>, kMaxLevels> seen;
    struct Pending
    {
        pugi::xml_node row;
        int level;
    };
    std::vector<Pending> stack;
    for (pugi::xml_node data = root.child("rs:data"); data; data = data.next_sibling("rs:data"))
        for (pugi::xml_node row = data.child("z:row"); row; row = row.next_sibling("z:row"))
            stack.push_back({row, 1});
    while (!stack.empty()) {
        const Pending next = stack.back();
        stack.pop_back();
        if (std::optional<QString> fault = badField(next.row))
            return fault;
        const pugi::xml_attribute id = next.row.attribute("DocStr_ID");
        if (id && !seen[next.level - 1].insert(id.value()).second)
            return QStringLiteral("идентификаторът на ред %1 се среща два пъти на ниво %2")
                .arg(QString::fromUtf8(id.value()))
                .arg(next.level);
        if (next.level >= kMaxLevels)
            continue;
        const std::string child = "Level" + std::to_string(next.level + 1);
        for (pugi::xml_node row = next.row.child(child.c_str()); row;
             row = row.next_sibling(child.c_str()))
            stack.push_back({row, next.level + 1});
    }
    return std::nullopt;
}

// Collects the texts to change, so the tree is not edited while walked.
struct TextCollector : pugi::xml_tree_walker
{
    std::vector<pugi::xml_node> texts;

    bool for_each(pugi::xml_node& node) override
    {
        if (node.type() == pugi::node_pcdata)
            texts.push_back(node);
        return true;
    }
};

} // namespace

std::optional<QString> DocumentFault(const XmlDocument& xml)
{
    Walker walker;
    const_cast<pugi::xml_document&>(xml.doc()).traverse(walker);
    if (walker.fault)
        return walker.fault;
    return repeatedIdentifier(xml.root());
}

bool HasForbiddenCharacters(const QString& text)
{
    return forbiddenIn(text.toUtf8().toStdString()) >= 0;
}

void NormaliseTexts(XmlDocument& xml)
{
    TextCollector collector;
    xml.doc().traverse(collector);
    for (pugi::xml_node text : collector.texts) {
        const QString value = QString::fromUtf8(text.value());
        const QString stored = NormaliseElementText(value);
        if (stored.isEmpty())
            text.parent().remove_child(text);
        else if (stored != value)
            text.set_value(stored.toUtf8().constData());
    }
}

} // namespace telm
