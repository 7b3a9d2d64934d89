// Readable outlines of the statement forms and of the conditions file: the
// sources from which the shipped templates are generated.
#pragma once

#include <QString>

#include <map>
#include <optional>
#include <vector>

namespace telm::blankgen {

struct OutlineRow
{
    int id = 0;
    int level = 1;          // 1 = top level
    bool manual = false;    // M: children are breakdowns, the row is typed
    bool locked = false;    // L: written by the conditions file
    bool deduction = false; // D: enters its group with a minus; typed negative, title ends "(–)"
    bool signedRow = false; // S: typed with its sign (a loss negative); title ends "(±)"
    QString code;
    QString title;
};

struct ConditionSource
{
    int sign = 1;
    int id = 0;
};

struct ConditionRun
{
    int target = 0;
    std::vector<ConditionSource> sources;
};

// Outline name (the part after "testdata_") -> its runs, in file order.
struct ConditionsOutline
{
    std::vector<QString> order; // names as they appear
    std::map<QString, std::vector<ConditionRun>> runs;
};

struct OutlineError
{
    QString message; // file, line and what is wrong
};

// Parses an outline; an error names the first bad line.
std::optional<OutlineError> ParseOutline(const QString& text, const QString& fileName,
                                         std::vector<OutlineRow>& rows);

std::optional<OutlineError> ParseConditions(const QString& text, const QString& fileName,
                                            ConditionsOutline& out);

} // namespace telm::blankgen
