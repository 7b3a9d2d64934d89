// A data file read and written against its form (the template): whether the
// file's rows are the form's rows, and the form's fields that an older file
// lacks, declared and given to every row before the file is written back.
// Fields the file has and the form does not know are left as they are.
#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace pugi {
class xml_document;
}

namespace telm {

struct Rowset;

// The first row of `file` that is not a row of `form`: every row must be one
// of the form's, at the form's level and under the form's parent, matched by
// the identifier in `idColumn` of both (rows the file lacks are allowed).
// Nothing when all are; the fault is worded for the user.
std::optional<QString> FormRowsFault(const Rowset& form, const Rowset& file, int idColumn);

// The form's own flags (manual entry, locked) given to the rows of `file` in
// each of `columns`, matched by level and the identifier in `idColumn`: the
// form decides which rows are typed and which are computed, so a file saved
// under an older form follows the current one. Rows the form lacks keep theirs.
// True when a flag changed.
bool TakeFormFlags(const Rowset& form, Rowset& file, const std::vector<int>& columns, int idColumn);

// Declares in the schema of `file`, at every level, each field the schema of
// `form` declares there and `file` lacks (a copy of the form's declaration),
// and gives every row of that level the field with an empty value.
void DeclareFormFields(pugi::xml_document& file, const pugi::xml_document& form);

} // namespace telm
