// The rowset loader: reads a template or data file in the persisted-recordset
// XML format (schema section, rs:data, z:row, Level2..Level6) into its rows in
// depth-first order. The `hash` attribute and the `danni` header are ignored.
// Fields are bound by name: read into a form's own layout, a file's schema may
// list them in any order, lack some (they read as empty) or hold others (they
// stay in the file and are not read).
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
    std::vector<QString> cells; // one per field, in column order; missing = empty
};

// The record tree, flattened depth first: each row is followed by its descendants.
struct Rowset
{
    QStringList fields; // field names in column order: the layout's, or the file's schema
    int levels = 0;     // levels the schema declares (1..6)
    std::vector<RowsetRow> rows;

    // The column of a field; -1 when there is no such column.
    int column(const QString& name) const { return static_cast<int>(fields.indexOf(name)); }
};

// The columns of a rowset's amount fields (DocDta_Sum1, DocDta_Sum2, ...) in the
// order of their numbers, whatever the order of the file's schema.
std::vector<int> AmountColumnsByNumber(const Rowset& rowset);

// The columns of the previous-year fields: DocDta_PrevYear, then DocDta_PrevSum1,
// DocDta_PrevSum2, ... in the order of their numbers.
std::vector<int> PreviousYearColumns(const Rowset& rowset);

// The column of the field `name`; `fallback` (its place on the forms) when the
// file does not declare a field of that name.
int NamedColumn(const Rowset& rowset, const QString& name, int fallback);

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
// The columns are the fields of the file's own schema, in its order.
std::optional<RowsetError> LoadRowset(const QString& path, Rowset& out);

// The same from a document already parsed.
std::optional<RowsetError> LoadRowset(const pugi::xml_document& doc, Rowset& out);

// Reads the document into the columns of `layout` (a form's fields, in the
// form's order), each value matched to its column by field name. A field of
// the layout the file does not declare reads as empty; a field the file
// declares and the layout lacks is not read. A row attribute the file's own
// schema does not declare is refused as without a layout.
std::optional<RowsetError> LoadRowset(const pugi::xml_document& doc, Rowset& out,
                                      const QStringList& layout);

// The file at `path` into the columns of `layout`.
std::optional<RowsetError> LoadRowset(const QString& path, Rowset& out, const QStringList& layout);

} // namespace telm
