// The data-file writer: the source file with the grid's amounts, the header and
// the checksum.
#include "xmlfiles/DataFile.h"

#include "xmlfiles/Checksum.h"
#include "xmlfiles/DocumentChecks.h"
#include "xmlfiles/FormFields.h"
#include "xmlfiles/XmlAccess.h"
#include "xmlfiles/XmlDocument.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <unordered_map>

namespace telm {

namespace {

constexpr int kMaxLevels = 6;

// The first row element of each level per DocStr_ID text, in document order:
// the node the level's lookup path selects, found without a scan per amount.
class RowIndex
{
public:
    explicit RowIndex(const pugi::xml_document& doc)
    {
        const pugi::xml_node root = doc.document_element();
        if (!root || std::string_view(root.name()) != "xml")
            return;
        for (pugi::xml_node data = root.child("rs:data"); data;
             data = data.next_sibling("rs:data")) {
            for (pugi::xml_node row = data.child("z:row"); row; row = row.next_sibling("z:row"))
                add(row, 0);
        }
    }

    pugi::xml_node find(int level, const std::string& id) const
    {
        const auto& map = m_levels[static_cast<size_t>(level - 1)];
        const auto found = map.find(id);
        return found == map.end() ? pugi::xml_node() : found->second;
    }

private:
    // Depth is bounded by six levels, so the recursion is too.
    void add(const pugi::xml_node& row, int band)
    {
        m_levels[static_cast<size_t>(band)].try_emplace(row.attribute("DocStr_ID").value(), row);
        if (band + 1 >= kMaxLevels)
            return;
        const std::string childName = "Level" + std::to_string(band + 2);
        for (pugi::xml_node child = row.child(childName.c_str()); child;
             child = child.next_sibling(childName.c_str()))
            add(child, band + 1);
    }

    std::array<std::unordered_map<std::string, pugi::xml_node>, kMaxLevels> m_levels;
};

// The 16-bit integer value of an identifier cell, as decimal text without leading zeros.
std::optional<std::string> identifierText(const QString& cell)
{
    const QByteArray bytes = cell.trimmed().toLatin1();
    if (bytes.isEmpty())
        return std::nullopt;
    const char* begin = bytes.constData();
    const char* const end = begin + bytes.size();
    if (*begin == '+')
        ++begin;
    int value = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || value < -32768 || value > 32767)
        return std::nullopt;
    return std::to_string(value);
}

// Whole number as plain decimal text; halves round away from zero.
std::optional<std::string> amountText(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::round(value);
    if (std::fabs(rounded) >= 9.0e18)
        return std::nullopt;
    return std::to_string(static_cast<long long>(rounded));
}

WriteError error(const QString& message)
{
    return WriteError{message};
}

} // namespace

std::optional<WriteError> WriteDataDocument(XmlDocument& xml, const QString& sourcePath,
                                            const WriterGrid& grid, const DataHeader& header,
                                            const QStringList& amountFields,
                                            const std::vector<int>& amountColumns, int editType,
                                            int idColumn, const AmountReader& readAmount,
                                            const QString& formPath)
{
    if (!xml.load(sourcePath) || std::string_view(xml.root().name()) != "xml")
        return error(QStringLiteral("Файлът \"%1\" не може да бъде зареден.").arg(sourcePath));
    if (const std::optional<QString> fault = DocumentFault(xml))
        return error(QStringLiteral("Файлът \"%1\" е повреден: %2.").arg(sourcePath, *fault));
    if (!formPath.isEmpty()) {
        XmlDocument form;
        if (!form.load(formPath) || std::string_view(form.root().name()) != "xml")
            return error(QStringLiteral("Файлът \"%1\" не може да бъде зареден.").arg(formPath));
        DeclareFormFields(xml.doc(), form.doc());
    }
    // What is written reads back the same, so the new checksum holds on reload.
    NormaliseTexts(xml);
    if (amountFields.size() != static_cast<qsizetype>(amountColumns.size()))
        return error(QStringLiteral("Списъкът на полетата за суми не съответства на колоните."));

    std::vector<std::string> fieldNames;
    fieldNames.reserve(static_cast<size_t>(amountFields.size()));
    for (const QString& field : amountFields)
        fieldNames.push_back(field.toStdString());

    const RowIndex index(xml.doc());
    for (int r = grid.fixedRows(); r < grid.rowCount(); ++r) {
        const int band = grid.band(r);
        if (band < 0 || band >= kMaxLevels)
            continue;
        const QString idCell = grid.text(r, idColumn);
        const std::optional<std::string> id = identifierText(idCell);
        if (!id)
            return error(
                QStringLiteral("Редът %1 на таблицата има неправилен идентификатор \"%2\".")
                    .arg(r)
                    .arg(idCell));
        if (fieldNames.empty())
            continue;
        pugi::xml_node element = index.find(band + 1, *id);
        if (!element)
            return error(QStringLiteral("Редът %1 на таблицата (идентификатор %2, ниво %3) не е "
                                        "намерен във файла \"%4\".")
                             .arg(r)
                             .arg(QString::fromStdString(*id))
                             .arg(band + 1)
                             .arg(sourcePath));
        for (size_t k = 0; k < fieldNames.size(); ++k) {
            const QString cell = grid.text(r, amountColumns[k]);
            std::optional<std::string> text;
            if (cell.trimmed().isEmpty()) {
                text = std::string("0");
            } else if (const std::optional<double> value = readAmount(cell)) {
                text = amountText(*value);
            }
            if (!text)
                return error(QStringLiteral("Сумата \"%1\" в ред %2, колона %3 не е число.")
                                 .arg(cell)
                                 .arg(r)
                                 .arg(amountColumns[k]));
            pugi::xml_attribute attribute = element.attribute(fieldNames[k].c_str());
            if (!attribute)
                attribute = element.append_attribute(fieldNames[k].c_str());
            attribute.set_value(text->c_str());
        }
    }

    if (editType == 0)
        WriteDataHeader(xml, header);

    const QString hash = ComputeRootHash(xml);
    xml.root().attribute("hash").set_value(hash.toUtf8().constData());
    return std::nullopt;
}

} // namespace telm
