// Fuzz target: the save round trip. Whatever verifies, corrected and saved as
// the program saves it, verifies again when reopened.
#include "xmlfiles/Checksum.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/Rowset.h"
#include "xmlfiles/XmlDocument.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <unistd.h>

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
    QFile::remove(path);
    return 0;
}
