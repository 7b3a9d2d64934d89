// The conditions loader.
#include "xmlfiles/Conditions.h"

#include "xmlfiles/XmlDocument.h"

#include <cstring>

namespace telm {

ConditionsTable LoadConditions(XmlDocument& xml, const QString& conditionsPath,
                               const QString& title)
{
    if (!xml.load(conditionsPath))
        return {};
    return ConditionsOf(xml, title);
}

ConditionsTable ConditionsOf(const XmlDocument& xml, const QString& title)
{
    ConditionsTable table;
    const pugi::xml_node root = xml.root();
    if (std::strcmp(root.name(), "xml") != 0)
        return table;
    // The title is compared as text, never spliced into a path, so any character is safe.
    const QByteArray wanted = title.toUtf8();
    const auto text = [](const pugi::xml_node& row, const char* name) {
        return QString::fromUtf8(row.attribute(name).value());
    };
    for (pugi::xml_node data = root.child("rs:data"); data; data = data.next_sibling("rs:data")) {
        for (pugi::xml_node row = data.child("z:row"); row; row = row.next_sibling("z:row")) {
            if (std::strcmp(row.attribute("DocType_Name").value(), wanted.constData()) != 0)
                continue;
            table.push_back(ConditionEntry{text(row, "DocType_Name"), text(row, "DocStr_ID"),
                                           text(row, "DocStr_IDSum"), text(row, "DocCond_Sign"),
                                           text(row, "DocCond_Order")});
        }
    }
    return table;
}

} // namespace telm
