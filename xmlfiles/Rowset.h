// The rowset loader: reads a template or data file in the persisted-recordset
// XML format (schema section, rs:data, z:row, Level2..Level6) into its rows in
// depth-first order. The `hash` attribute and the `danni` header are ignored.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace pugi {
class xml_document;
}

namespace telm {

struct RowsetRow
{
    int band = 0; // level - 1: 0 for a top-level row, up to 5
    bool hasChildren = false;
    std::vector<QString> cells; // one per schema field, in column order; missing = empty
};

// The record tree, flattened depth first: each row is followed by its descendants.
struct Rowset
{
    QStringList fields; // field names in column order
    int levels = 0;     // levels the schema declares (1..6)
    std::vector<RowsetRow> rows;
};

struct RowsetError
{
    enum class Kind {
        CannotOpen,    // missing or unreadable file
        NotWellFormed, // not XML
        NotARowset,    // no xml root, no schema section or no rs:data
        UnknownField,  // a row carries a field the schema does not declare
        TooDeep,       // more than six levels
    };
    Kind kind;
    QString message; // a sentence in Bulgarian for the user, with the detail
};

// Loads the file at `path`; on failure `out` is left empty and the error returned.
std::optional<RowsetError> LoadRowset(const QString& path, Rowset& out);

// The same from a document already parsed.
std::optional<RowsetError> LoadRowset(const pugi::xml_document& doc, Rowset& out);

} // namespace telm
