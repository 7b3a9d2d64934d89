// Writes a statement template and the conditions file in the persisted-recordset
// XML shape that the rowset loader reads.
#pragma once

#include "data/generator/Outline.h"

#include <QByteArray>
#include <QStringList>

namespace telm {
struct FormProfile;
}

namespace telm::blankgen {

// Field names of a form's template in column order: name, code, id, parent,
// then the amount, previous-year, flag and hidden fields at the form's columns.
// Empty when the profile leaves a column without a role.
QStringList TemplateFields(const FormProfile& profile);

// The template file's bytes: `levels` nested levels in the schema, one z:row
// per outline row, every amount and previous-year field "0".
QByteArray TemplateBytes(const FormProfile& profile, int levels,
                         const std::vector<OutlineRow>& rows);

struct ConditionLine
{
    QString docTypeName;
    int target = 0;
    int source = 0;
    int sign = 1;
    int order = 0;
};

QByteArray ConditionsBytes(const std::vector<ConditionLine>& lines);

} // namespace telm::blankgen
