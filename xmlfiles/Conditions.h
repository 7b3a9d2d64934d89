// The conditions file: per document type, the signed sources of each result row.
#pragma once

#include <QString>

#include <vector>

namespace telm {

class XmlDocument;

struct ConditionEntry
{
    QString DocType_Name;
    QString DocStr_ID;    // target row
    QString DocStr_IDSum; // source row
    QString DocCond_Sign;
    QString DocCond_Order;
};

using ConditionsTable = std::vector<ConditionEntry>;

// Loads the conditions file into the shared document and returns the top-level
// entries of `title`, in file order. A missing file or no entries: an empty table.
ConditionsTable LoadConditions(XmlDocument& xml, const QString& conditionsPath,
                               const QString& title);

// The entries of `title` in a conditions document already loaded.
ConditionsTable ConditionsOf(const XmlDocument& xml, const QString& title);

} // namespace telm
