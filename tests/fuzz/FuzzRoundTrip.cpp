// Fuzz target: the save round trip. Whatever verifies, corrected and saved as
// the program saves it, verifies again when reopened. The same file with its
// schema reordered reads by name into the first one's columns exactly as the
// first one reads, and saved from those columns it verifies and reads alike.
#include "xmlfiles/Checksum.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/Rowset.h"
#include "xmlfiles/XmlDocument.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <pugixml.hpp>
#include <unistd.h>
#include <vector>

namespace {

class RowsetGrid : public telm::WriterGrid
{
public:
    explicit RowsetGrid(const telm::Rowset& rowset) : m_rowset(rowset) {}
    int rowCount() const override { return static_cast<int>(m_rowset.rows.size()) + 1; }
    int fixedRows() const override { return 1; }
    int band(int row) const override { return m_rowset.rows[std::size_t(row - 1)].band; }
    QString text(int row, int col) const override
    {
        const auto& cells = m_rowset.rows[std::size_t(row - 1)].cells;
        return col < static_cast<int>(cells.size()) ? cells[std::size_t(col)] : QString();
    }

private:
    const telm::Rowset& m_rowset;
};

std::optional<double> plainAmount(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

// The fields of every level's declaration put in another order, picked by
// `turn`: rotated, and reversed when `turn` is odd.
void reorderSchema(pugi::xml_node root, std::size_t turn)
{
    for (const pugi::xpath_node& found : root.select_nodes(".//s:ElementType")) {
        pugi::xml_node type = found.node();
        std::vector<pugi::xml_node> fields;
        for (pugi::xml_node field = type.child("s:AttributeType"); field;
             field = field.next_sibling("s:AttributeType"))
            fields.push_back(field);
        if (fields.size() < 2)
            continue;
        std::rotate(fields.begin(), fields.begin() + std::ptrdiff_t(turn % fields.size()),
                    fields.end());
        if (turn % 2 == 1)
            std::reverse(fields.begin(), fields.end());
        for (pugi::xml_node field : fields)
            type.insert_move_before(field, type.first_child());
    }
}

bool sameCells(const telm::Rowset& a, const telm::Rowset& b, int skipped)
{
    if (a.rows.size() != b.rows.size() || a.fields != b.fields)
        return false;
    for (std::size_t r = 0; r < a.rows.size(); ++r) {
        if (a.rows[r].band != b.rows[r].band)
            return false;
        for (std::size_t c = 0; c < a.rows[r].cells.size(); ++c)
            if (int(c) != skipped && a.rows[r].cells[c] != b.rows[r].cells[c])
                return false;
    }
    return true;
}

QString scratchFile()
{
    return QDir::temp().filePath(QStringLiteral("telm-fuzz-round-trip-%1.xml").arg(::getpid()));
}

// Makes the input a file that verifies: the checksum of what it holds goes
// into its own hash="..." text, so the bytes keep every character reference.
QByteArray verifying(const QByteArray& input)
{
    const qsizetype at = input.indexOf("hash=\"");
    if (at < 0)
        return input;
    const qsizetype end = input.indexOf('"', at + 6);
    if (end < 0)
        return input;
    QByteArray blank = input;
    blank.replace(at + 6, end - at - 6, QByteArray());
    telm::XmlDocument xml;
    if (!xml.loadBytes(blank))
        return input;
    const QByteArray hash = telm::ComputeRootHash(xml).toUtf8();
    return blank.insert(at + 6, hash);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes =
        verifying(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    telm::XmlDocument opened;
    if (!opened.loadBytes(bytes) || !telm::VerifyDataHash(opened))
        return 0;
    telm::Rowset rowset;
    if (telm::LoadRowset(opened.doc(), rowset) || rowset.fields.size() < 6)
        return 0;

    const QString path = scratchFile();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return 0;
    file.close();
    telm::XmlDocument written;
    const RowsetGrid grid(rowset);
    if (!telm::WriteDataDocument(written, path, grid, telm::DataHeader(), {"DocDta_Sum1"}, {5}, 1,
                                 2, plainAmount)
        && telm::SaveDataFile(written, path).ok) {
        telm::XmlDocument reopened;
        if (!reopened.load(path) || !telm::VerifyDataHash(reopened))
            __builtin_trap(); // saved, and locked out of it
    }

    // The schema reordered: read by name into the first columns, it reads the same.
    // A field declared twice has no one column, so such a schema is left alone.
    QStringList distinct = rowset.fields;
    telm::XmlDocument reordered;
    if (distinct.removeDuplicates() != 0 || !reordered.loadBytes(bytes)) {
        QFile::remove(path);
        return 0;
    }
    reorderSchema(reordered.root(), size);
    const QString hash = telm::ComputeRootHash(reordered);
    reordered.root().attribute("hash").set_value(hash.toUtf8().constData());
    telm::Rowset bound;
    if (telm::LoadRowset(reordered.doc(), bound, rowset.fields) || !sameCells(rowset, bound, -1))
        __builtin_trap(); // the order of the schema changed what is read
    const int sum1 = rowset.column(QStringLiteral("DocDta_Sum1"));
    const int id = rowset.column(QStringLiteral("DocStr_ID"));
    if (id >= 0 && telm::SaveDataFile(reordered, path).ok) {
        telm::XmlDocument rewritten;
        const QStringList fields =
            sum1 >= 0 ? QStringList{QStringLiteral("DocDta_Sum1")} : QStringList();
        const std::vector<int> columns = sum1 >= 0 ? std::vector<int>{sum1} : std::vector<int>();
        if (!telm::WriteDataDocument(rewritten, path, grid, telm::DataHeader(), fields, columns, 1,
                                     id, plainAmount)
            && telm::SaveDataFile(rewritten, path).ok) {
            telm::XmlDocument reopened;
            telm::Rowset again;
            if (!reopened.load(path) || !telm::VerifyDataHash(reopened)
                || telm::LoadRowset(reopened.doc(), again, rowset.fields)
                || !sameCells(rowset, again, sum1))
                __builtin_trap(); // saved by name, and read back otherwise
        }
    }
    QFile::remove(path);
    return 0;
}
