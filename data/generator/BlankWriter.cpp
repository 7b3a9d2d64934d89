#include "data/generator/BlankWriter.h"

#include "editor/FormProfile.h"

#include <map>
#include <pugixml.hpp>
#include <sstream>

namespace telm::blankgen {

namespace {

enum class FieldKind { Text, Id, Amount, Manual, Locked, Order };

struct Field
{
    QString name;
    FieldKind kind;
};

std::vector<Field> templateFieldKinds(const FormProfile& profile)
{
    std::map<int, Field> byColumn;
    byColumn[0] = {QStringLiteral("DocStr_Name"), FieldKind::Text};
    byColumn[1] = {QStringLiteral("DocStr_Code"), FieldKind::Text};
    byColumn[2] = {QStringLiteral("DocStr_ID"), FieldKind::Id};
    byColumn[3] = {QStringLiteral("DocStr_ParentID"), FieldKind::Text};
    for (const AmountColumn& amount : profile.amounts)
        byColumn[amount.column] = {QString::fromLatin1(amount.field), FieldKind::Amount};
    // A form has one previous-year amount, except the direct cash flow, which
    // keeps the previous year's receipts, payments and net flow beside it.
    int previousSum = 0;
    for (const CaptionedColumn& previous : profile.previousYear) {
        const bool single = profile.previousYear.size() == 1 || previous.column == 4;
        byColumn[previous.column] = {single ? QStringLiteral("DocDta_PrevYear")
                                            : QStringLiteral("DocDta_PrevSum%1").arg(++previousSum),
                                     FieldKind::Amount};
    }
    byColumn[profile.manualColumn] = {QStringLiteral("DocStr_Manual"), FieldKind::Manual};
    byColumn[profile.lockedColumn] = {QStringLiteral("DocStr_Locked"), FieldKind::Locked};
    const QString hiddenNames[] = {QStringLiteral("DocStr_Order"), QStringLiteral("DocStr_Note")};
    for (std::size_t i = 0; i < profile.hiddenColumns.size() && i < 2; ++i)
        byColumn[profile.hiddenColumns[i]] = {hiddenNames[i],
                                              i == 0 ? FieldKind::Order : FieldKind::Text};

    std::vector<Field> fields;
    for (const auto& [column, field] : byColumn) {
        if (column != static_cast<int>(fields.size()))
            return {};
        fields.push_back(field);
    }
    return fields;
}

void addDatatype(pugi::xml_node attributeType, FieldKind kind, const QString& name)
{
    pugi::xml_node type = attributeType.append_child("s:datatype");
    switch (kind) {
    case FieldKind::Id:
    case FieldKind::Order: type.append_attribute("dt:type") = "i2"; break;
    case FieldKind::Amount:
        type.append_attribute("dt:type") = "number";
        type.append_attribute("rs:dbtype") = "numeric";
        break;
    case FieldKind::Manual: type.append_attribute("dt:type") = "boolean"; break;
    case FieldKind::Locked: type.append_attribute("dt:type") = "ui1"; break;
    case FieldKind::Text:
        type.append_attribute("dt:type") = "string";
        type.append_attribute("dt:maxLength") = name.endsWith(QLatin1String("_Name")) ? 255 : 20;
        break;
    }
}

template <typename Fields>
void addAttributeTypes(pugi::xml_node elementType, const Fields& fields)
{
    int number = 0;
    for (const auto& field : fields) {
        pugi::xml_node attribute = elementType.append_child("s:AttributeType");
        attribute.append_attribute("name") = field.name.toUtf8().constData();
        attribute.append_attribute("rs:number") = ++number;
        attribute.append_attribute("rs:write") = "true";
        addDatatype(attribute, field.kind, field.name);
    }
}

pugi::xml_node addRoot(pugi::xml_document& doc)
{
    pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node root = doc.append_child("xml");
    root.append_attribute("xmlns:s") = "uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882";
    root.append_attribute("xmlns:dt") = "uuid:C2F41010-65B3-11d1-A29F-00AA00C14882";
    root.append_attribute("xmlns:rs") = "urn:schemas-microsoft-com:rowset";
    root.append_attribute("xmlns:z") = "#RowsetSchema";
    return root;
}

pugi::xml_node addRowElementType(pugi::xml_node schema)
{
    pugi::xml_node rowType = schema.append_child("s:ElementType");
    rowType.append_attribute("name") = "row";
    rowType.append_attribute("content") = "eltOnly";
    rowType.append_attribute("rs:updatable") = "true";
    return rowType;
}

QByteArray bytesOf(const pugi::xml_document& doc)
{
    std::ostringstream out;
    doc.save(out, "  ", pugi::format_indent, pugi::encoding_utf8);
    return QByteArray::fromStdString(out.str());
}

} // namespace

QStringList TemplateFields(const FormProfile& profile)
{
    QStringList names;
    for (const Field& field : templateFieldKinds(profile))
        names << field.name;
    return names;
}

QByteArray TemplateBytes(const FormProfile& profile, int levels,
                         const std::vector<OutlineRow>& rows)
{
    const std::vector<Field> fields = templateFieldKinds(profile);
    pugi::xml_document doc;
    pugi::xml_node root = addRoot(doc);

    pugi::xml_node schema = root.append_child("s:Schema");
    schema.append_attribute("id") = "RowsetSchema";
    pugi::xml_node elementType = addRowElementType(schema);
    addAttributeTypes(elementType, fields);
    std::vector<pugi::xml_node> levelTypes{elementType};
    for (int level = 2; level <= levels; ++level) {
        pugi::xml_node nested = levelTypes.back().append_child("s:ElementType");
        nested.append_attribute("name") = QStringLiteral("Level%1").arg(level).toUtf8().constData();
        nested.append_attribute("content") = "eltOnly";
        nested.append_attribute("rs:updatable") = "true";
        addAttributeTypes(nested, fields);
        levelTypes.push_back(nested);
    }
    for (auto it = levelTypes.rbegin(); it != levelTypes.rend(); ++it)
        it->append_child("s:extends").append_attribute("type") = "rs:rowbase";

    pugi::xml_node data = root.append_child("rs:data");
    std::vector<pugi::xml_node> open{data}; // open[level - 1] holds rows of `level`
    std::vector<int> openIds;
    int order = 0;
    for (const OutlineRow& row : rows) {
        open.resize(row.level);
        openIds.resize(row.level - 1);
        const char* element = row.level == 1 ? "z:row" : nullptr;
        const QByteArray levelName = QStringLiteral("Level%1").arg(row.level).toUtf8();
        pugi::xml_node node = open.back().append_child(element ? element : levelName.constData());
        ++order;
        for (const Field& field : fields) {
            QString value;
            if (field.name == QLatin1String("DocStr_Name"))
                value = row.title;
            else if (field.name == QLatin1String("DocStr_Code"))
                value = row.code;
            else if (field.kind == FieldKind::Id)
                value = QString::number(row.id);
            else if (field.name == QLatin1String("DocStr_ParentID"))
                value = openIds.empty() ? QString() : QString::number(openIds.back());
            else if (field.kind == FieldKind::Amount)
                value = QStringLiteral("0");
            else if (field.kind == FieldKind::Manual)
                value = row.manual ? QStringLiteral("True") : QStringLiteral("False");
            else if (field.kind == FieldKind::Locked)
                value = row.locked ? QStringLiteral("1") : QStringLiteral("0");
            else if (field.kind == FieldKind::Order)
                value = QString::number(order);
            node.append_attribute(field.name.toUtf8().constData()) = value.toUtf8().constData();
        }
        open.push_back(node);
        openIds.push_back(row.id);
    }
    return bytesOf(doc);
}

QByteArray ConditionsBytes(const std::vector<ConditionLine>& lines)
{
    pugi::xml_document doc;
    pugi::xml_node root = addRoot(doc);
    pugi::xml_node schema = root.append_child("s:Schema");
    schema.append_attribute("id") = "RowsetSchema";
    pugi::xml_node rowType = addRowElementType(schema);
    const std::vector<Field> fields{{QStringLiteral("DocType_Name"), FieldKind::Text},
                                    {QStringLiteral("DocStr_ID"), FieldKind::Id},
                                    {QStringLiteral("DocStr_IDSum"), FieldKind::Id},
                                    {QStringLiteral("DocCond_Sign"), FieldKind::Order},
                                    {QStringLiteral("DocCond_Order"), FieldKind::Order}};
    addAttributeTypes(rowType, fields);
    rowType.append_child("s:extends").append_attribute("type") = "rs:rowbase";

    pugi::xml_node data = root.append_child("rs:data");
    for (const ConditionLine& line : lines) {
        pugi::xml_node row = data.append_child("z:row");
        row.append_attribute("DocType_Name") = line.docTypeName.toUtf8().constData();
        row.append_attribute("DocStr_ID") = line.target;
        row.append_attribute("DocStr_IDSum") = line.source;
        row.append_attribute("DocCond_Sign") = line.sign;
        row.append_attribute("DocCond_Order") = line.order;
    }
    return bytesOf(doc);
}

} // namespace telm::blankgen
