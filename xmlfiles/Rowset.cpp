// The rowset loader over pugixml.
#include "xmlfiles/Rowset.h"

#include "platform/RegularFile.h"

#include <QFile>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <pugixml.hpp>
#include <string>

namespace telm {

namespace {

constexpr int kMaxLevels = 6;

RowsetError makeError(RowsetError::Kind kind, const QString& message)
{
    return RowsetError{kind, message};
}

std::string levelName(int level)
{
    return "Level" + std::to_string(level);
}

// Field order and depth from the schema section: the AttributeTypes of the "row"
// ElementType, and its chain of nested ElementTypes Level2..Level6.
std::optional<RowsetError> readSchema(const pugi::xml_node& root, QStringList& fields,
                                      std::vector<std::string>& fieldKeys, int& levels)
{
    const pugi::xml_node schema = root.child("s:Schema");
    pugi::xml_node type;
    for (pugi::xml_node candidate = schema.child("s:ElementType"); candidate;
         candidate = candidate.next_sibling("s:ElementType")) {
        if (std::strcmp(candidate.attribute("name").value(), "row") == 0) {
            type = candidate;
            break;
        }
    }
    if (!type)
        return makeError(RowsetError::Kind::NotARowset,
                         QStringLiteral("Файлът няма описание на редовете (схема)."));
    for (pugi::xml_node field = type.child("s:AttributeType"); field;
         field = field.next_sibling("s:AttributeType")) {
        const char* name = field.attribute("name").value();
        fieldKeys.emplace_back(name);
        fields << QString::fromUtf8(name);
    }
    levels = 1;
    pugi::xml_node current = type;
    while (true) {
        const std::string next = levelName(levels + 1);
        pugi::xml_node nested;
        for (pugi::xml_node candidate = current.child("s:ElementType"); candidate;
             candidate = candidate.next_sibling("s:ElementType")) {
            if (next == candidate.attribute("name").value()) {
                nested = candidate;
                break;
            }
        }
        if (!nested)
            break;
        if (levels == kMaxLevels)
            return makeError(RowsetError::Kind::TooDeep,
                             QStringLiteral("Схемата на файла описва повече от шест нива."));
        ++levels;
        current = nested;
    }
    return std::nullopt;
}

// Whether no byte of the text has its high bit set; eight bytes at a time.
bool isAscii(const char* text, size_t size)
{
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    std::uint64_t high = 0;
    size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text + i, sizeof word);
        high |= word;
    }
    for (; i < size; ++i)
        high |= static_cast<unsigned char>(text[i]);
    return (high & kHighBits) == 0;
}

class RowReader
{
public:
    // `columns` gives each schema field's column in the rows, -1 for a field not read.
    RowReader(const std::vector<std::string>& keys, const std::vector<int>& columns, int levels,
              Rowset& out)
        : m_keys(keys), m_columns(columns), m_levels(levels), m_out(out), m_last(out.fields.size())
    {
        for (int level = 2; level <= kMaxLevels + 1; ++level)
            m_levelNames.push_back(levelName(level));
    }

    // Reads a row and its descendants; the depth is bounded by the levels check.
    std::optional<RowsetError> read(const pugi::xml_node& element, int band)
    {
        const size_t index = m_out.rows.size();
        m_out.rows.emplace_back();
        {
            RowsetRow& row = m_out.rows.back();
            row.band = band;
            row.cells.resize(m_last.size());
            size_t expected = 0;
            for (pugi::xml_attribute attribute = element.first_attribute(); attribute;
                 attribute = attribute.next_attribute()) {
                const int field = fieldOf(attribute.name(), expected);
                if (field < 0)
                    return makeError(
                        RowsetError::Kind::UnknownField,
                        QStringLiteral("Полето \"%1\" на ред %2 не е описано в схемата.")
                            .arg(QString::fromUtf8(attribute.name()))
                            .arg(index + 1));
                expected = static_cast<size_t>(field) + 1;
                const int column = m_columns[static_cast<size_t>(field)];
                if (column >= 0)
                    setCell(row.cells[static_cast<size_t>(column)], static_cast<size_t>(column),
                            attribute.value());
            }
        }
        for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
            if (child.type() != pugi::node_element)
                continue;
            const int level = childLevel(child.name());
            if (level == 0)
                continue;
            if (level != band + 2)
                return makeError(RowsetError::Kind::NotARowset,
                                 QStringLiteral("Ред от ниво %1 стои под ред от ниво %2.")
                                     .arg(level)
                                     .arg(band + 1));
            if (level > kMaxLevels)
                return makeError(RowsetError::Kind::TooDeep,
                                 QStringLiteral("Файлът има повече от шест нива."));
            if (level > m_levels)
                return makeError(RowsetError::Kind::NotARowset,
                                 QStringLiteral("Ниво %1 не е описано в схемата.").arg(level));
            m_out.rows[index].hasChildren = true;
            if (auto failure = read(child, band + 1))
                return failure;
        }
        return std::nullopt;
    }

private:
    // Columns repeat their values from row to row ("0", "False", empty): the
    // previous row's cell of the column is shared instead of converted again.
    // Both the text and the cell stay where they are while the rows are read:
    // the document is not changed and a row's cells are never reallocated.
    void setCell(QString& cell, size_t column, const char* value)
    {
        LastValue& last = m_last[column];
        if (last.cell && std::strcmp(last.raw, value) == 0) {
            cell = *last.cell;
            return;
        }
        // Most cells are digits: plain ASCII takes the cheaper Latin-1 conversion.
        const size_t size = std::strlen(value);
        cell = isAscii(value, size) ? QString::fromLatin1(value, static_cast<qsizetype>(size))
                                    : QString::fromUtf8(value, static_cast<qsizetype>(size));
        last.raw = value;
        last.cell = &cell;
    }

    struct LastValue
    {
        const char* raw = nullptr;
        const QString* cell = nullptr;
    };

    // The field's place in the file's schema. Rows usually list their fields in
    // schema order, so the next one is tried first.
    int fieldOf(const char* name, size_t expected) const
    {
        if (expected < m_keys.size() && std::strcmp(m_keys[expected].c_str(), name) == 0)
            return static_cast<int>(expected);
        for (size_t i = 0; i < m_keys.size(); ++i) {
            if (std::strcmp(m_keys[i].c_str(), name) == 0)
                return static_cast<int>(i);
        }
        return -1;
    }

    // 2..7 for Level2..Level7, 0 for any other element.
    int childLevel(const char* name) const
    {
        if (std::strncmp(name, "Level", 5) != 0)
            return 0;
        for (size_t i = 0; i < m_levelNames.size(); ++i) {
            if (m_levelNames[i] == name)
                return static_cast<int>(i) + 2;
        }
        return 0;
    }

    const std::vector<std::string>& m_keys;
    const std::vector<int>& m_columns;
    int m_levels;
    Rowset& m_out;
    std::vector<std::string> m_levelNames;
    std::vector<LastValue> m_last;
};

// Elements below `top`: an upper bound of the rows, so the row list is
// allocated once. pugixml's traversal does not recurse.
size_t countElements(pugi::xml_node top)
{
    struct Counter : pugi::xml_tree_walker
    {
        size_t count = 0;
        bool for_each(pugi::xml_node& node) override
        {
            count += node.type() == pugi::node_element;
            return true;
        }
    } counter;
    top.traverse(counter);
    return counter.count;
}

} // namespace

namespace {

// The columns whose field is `prefix` and a number, in the order of the numbers.
std::vector<int> numberedColumns(const Rowset& rowset, QLatin1String prefix)
{
    std::vector<std::pair<int, int>> numbered; // number, column
    for (int col = 0; col < rowset.fields.size(); ++col) {
        const QString& name = rowset.fields.at(col);
        if (!name.startsWith(prefix))
            continue;
        bool ok = false;
        const int number = QStringView(name).mid(prefix.size()).toInt(&ok);
        numbered.emplace_back(ok ? number : INT_MAX, col);
    }
    std::stable_sort(numbered.begin(), numbered.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<int> columns;
    for (const auto& [number, col] : numbered)
        columns.push_back(col);
    return columns;
}

} // namespace

std::vector<int> AmountColumnsByNumber(const Rowset& rowset)
{
    return numberedColumns(rowset, QLatin1String("DocDta_Sum"));
}

std::vector<int> PreviousYearColumns(const Rowset& rowset)
{
    std::vector<int> columns;
    if (const int year = rowset.column(QStringLiteral("DocDta_PrevYear")); year >= 0)
        columns.push_back(year);
    for (const int col : numberedColumns(rowset, QLatin1String("DocDta_PrevSum")))
        columns.push_back(col);
    return columns;
}

int NamedColumn(const Rowset& rowset, const QString& name, int fallback)
{
    const int col = rowset.column(name);
    return col >= 0 ? col : fallback;
}

std::optional<RowsetError> LoadRowset(const pugi::xml_document& doc, Rowset& out)
{
    return LoadRowset(doc, out, QStringList());
}

std::optional<RowsetError> LoadRowset(const pugi::xml_document& doc, Rowset& out,
                                      const QStringList& layout)
{
    out = Rowset();
    const pugi::xml_node root = doc.document_element();
    if (!root || std::strcmp(root.name(), "xml") != 0)
        return makeError(RowsetError::Kind::NotARowset,
                         QStringLiteral("Файлът не е таблица с данни (липсва елементът xml)."));
    Rowset result;
    std::vector<std::string> keys;
    if (auto failure = readSchema(root, result.fields, keys, result.levels))
        return failure;
    const pugi::xml_node data = root.child("rs:data");
    if (!data)
        return makeError(RowsetError::Kind::NotARowset,
                         QStringLiteral("Файлът няма раздел с данни (rs:data)."));
    // Each field of the file goes to the layout's column of that name.
    std::vector<int> columns(keys.size());
    if (layout.isEmpty()) {
        for (size_t i = 0; i < keys.size(); ++i)
            columns[i] = static_cast<int>(i);
    } else {
        for (size_t i = 0; i < keys.size(); ++i)
            columns[i] =
                static_cast<int>(layout.indexOf(result.fields.at(static_cast<qsizetype>(i))));
        result.fields = layout;
    }
    result.rows.reserve(countElements(data));
    RowReader reader(keys, columns, result.levels, result);
    for (pugi::xml_node row = data.child("z:row"); row; row = row.next_sibling("z:row")) {
        if (auto failure = reader.read(row, 0))
            return failure;
    }
    out = std::move(result);
    return std::nullopt;
}

std::optional<RowsetError> LoadRowset(const QString& path, Rowset& out)
{
    return LoadRowset(path, out, QStringList());
}

std::optional<RowsetError> LoadRowset(const QString& path, Rowset& out, const QStringList& layout)
{
    out = Rowset();
    QString reason;
    std::optional<QByteArray> bytes = platform::ReadRegularFile(path, reason);
    if (!bytes)
        return makeError(
            RowsetError::Kind::CannotOpen,
            QStringLiteral("Файлът \"%1\" не може да бъде прочетен: %2").arg(path, reason));
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed =
        doc.load_buffer_inplace(bytes->data(), static_cast<size_t>(bytes->size()));
    if (!parsed)
        return makeError(RowsetError::Kind::NotWellFormed,
                         QStringLiteral("Файлът \"%1\" не е правилен XML (%2, позиция %3).")
                             .arg(path, QString::fromUtf8(parsed.description()))
                             .arg(parsed.offset));
    return LoadRowset(doc, out, layout);
}

} // namespace telm
