#include "xmlfiles/FormFields.h"

#include "xmlfiles/Rowset.h"

#include <algorithm>
#include <array>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace telm {

namespace {

constexpr int kMaxLevels = 6;

std::string elementName(int level)
{
    return level == 1 ? std::string("row") : "Level" + std::to_string(level);
}

// The schema's declaration of each level's rows, from "row" down to Level6;
// a level the schema does not declare ends the chain.
std::vector<pugi::xml_node> levelTypes(const pugi::xml_node& root)
{
    std::vector<pugi::xml_node> types;
    pugi::xml_node parent = root.child("s:Schema");
    for (int level = 1; level <= kMaxLevels; ++level) {
        const std::string name = elementName(level);
        pugi::xml_node found;
        for (pugi::xml_node type = parent.child("s:ElementType"); type;
             type = type.next_sibling("s:ElementType")) {
            if (name == type.attribute("name").value()) {
                found = type;
                break;
            }
        }
        if (!found)
            break;
        types.push_back(found);
        parent = found;
    }
    return types;
}

// Every row element of the level, in document order.
void rowsOfLevel(const pugi::xml_node& parent, int level, int wanted,
                 std::vector<pugi::xml_node>& out)
{
    const std::string name = level == 1 ? std::string("z:row") : elementName(level);
    for (pugi::xml_node row = parent.child(name.c_str()); row;
         row = row.next_sibling(name.c_str())) {
        if (level == wanted)
            out.push_back(row);
        else if (level < kMaxLevels)
            rowsOfLevel(row, level + 1, wanted, out);
    }
}

} // namespace

std::optional<QString> FormRowsFault(const Rowset& form, const Rowset& file, int idColumn)
{
    const auto cell = [idColumn](const RowsetRow& row) {
        return idColumn >= 0 && idColumn < static_cast<int>(row.cells.size())
                   ? row.cells[static_cast<size_t>(idColumn)]
                   : QString();
    };
    // Per level: each identifier of the form and the identifier of the row it stands under.
    std::array<std::unordered_map<QString, QString>, kMaxLevels> parents;
    std::array<QString, kMaxLevels> above;
    for (const RowsetRow& row : form.rows) {
        if (row.band < 0 || row.band >= kMaxLevels)
            continue;
        const QString id = cell(row);
        parents[static_cast<size_t>(row.band)].try_emplace(
            id, row.band == 0 ? QString() : above[static_cast<size_t>(row.band - 1)]);
        above[static_cast<size_t>(row.band)] = id;
    }
    above.fill(QString());
    for (const RowsetRow& row : file.rows) {
        const QString id = cell(row);
        const auto& level = parents[static_cast<size_t>(row.band)];
        const auto found = level.find(id);
        if (found == level.end())
            return QStringLiteral("редът с идентификатор „%1“ на ниво %2 не е ред на документа")
                .arg(id)
                .arg(row.band + 1);
        const QString parent = row.band == 0 ? QString() : above[static_cast<size_t>(row.band - 1)];
        if (found->second != parent)
            return QStringLiteral("редът %1 стои под ред %2, а в документа е под ред %3")
                .arg(id, parent, found->second);
        above[static_cast<size_t>(row.band)] = id;
    }
    return std::nullopt;
}

bool TakeFormFlags(const Rowset& form, Rowset& file, const std::vector<int>& columns, int idColumn)
{
    bool changed = false;
    const auto cell = [](const RowsetRow& row, int col) {
        return col >= 0 && col < static_cast<int>(row.cells.size())
                   ? row.cells[static_cast<size_t>(col)]
                   : QString();
    };
    std::array<std::unordered_map<QString, const RowsetRow*>, kMaxLevels> byId;
    for (const RowsetRow& row : form.rows)
        if (row.band >= 0 && row.band < kMaxLevels)
            byId[static_cast<size_t>(row.band)].try_emplace(cell(row, idColumn), &row);
    for (RowsetRow& row : file.rows) {
        if (row.band < 0 || row.band >= kMaxLevels)
            continue;
        const auto& level = byId[static_cast<size_t>(row.band)];
        const auto found = level.find(cell(row, idColumn));
        if (found == level.end())
            continue;
        for (int col : columns) {
            if (col < 0 || col >= static_cast<int>(row.cells.size()))
                continue;
            QString& flag = row.cells[static_cast<size_t>(col)];
            const QString wanted = cell(*found->second, col);
            changed = changed || flag != wanted;
            flag = wanted;
        }
    }
    return changed;
}

void DeclareFormFields(pugi::xml_document& file, const pugi::xml_document& form)
{
    const std::vector<pugi::xml_node> formTypes = levelTypes(form.document_element());
    const std::vector<pugi::xml_node> fileTypes = levelTypes(file.document_element());
    const size_t levels = std::min(formTypes.size(), fileTypes.size());
    for (size_t i = 0; i < levels; ++i) {
        pugi::xml_node type = fileTypes[i];
        std::vector<std::string_view> declared;
        pugi::xml_node last;
        for (pugi::xml_node field = type.child("s:AttributeType"); field;
             field = field.next_sibling("s:AttributeType")) {
            declared.emplace_back(field.attribute("name").value());
            last = field;
        }
        std::vector<std::string> added;
        for (pugi::xml_node field = formTypes[i].child("s:AttributeType"); field;
             field = field.next_sibling("s:AttributeType")) {
            const std::string_view name = field.attribute("name").value();
            if (std::find(declared.begin(), declared.end(), name) != declared.end())
                continue;
            // After the file's last field, before the nested level's declaration.
            last = last ? type.insert_copy_after(field, last) : type.prepend_copy(field);
            added.emplace_back(name);
        }
        if (added.empty())
            continue;
        std::vector<pugi::xml_node> rows;
        for (pugi::xml_node data = file.document_element().child("rs:data"); data;
             data = data.next_sibling("rs:data"))
            rowsOfLevel(data, 1, static_cast<int>(i) + 1, rows);
        for (pugi::xml_node row : rows) {
            for (const std::string& name : added) {
                if (!row.attribute(name.c_str()))
                    row.append_attribute(name.c_str());
            }
        }
    }
}

} // namespace telm
