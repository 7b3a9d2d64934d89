// The data file: the template with the amounts written into its rows, the
// `danni` header and the `hash` checksum over the serialised root element.
#pragma once

#include "xmlfiles/DataHeader.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace telm {

class XmlDocument;

// What the writer reads of a document grid (the grid model adapts to it).
class WriterGrid
{
public:
    virtual ~WriterGrid() = default;
    virtual int rowCount() const = 0;
    virtual int fixedRows() const = 0;
    virtual int band(int row) const = 0;
    virtual QString text(int row, int col) const = 0;
};

// Reads an amount cell's display text; nullopt when it is not a number.
using AmountReader = std::function<std::optional<double>(const QString&)>;

struct WriteError
{
    QString message; // Bulgarian, for the user's message box
};

// Loads `sourcePath` into `xml`, writes every amount of the grid into its row
// (found by level and DocStr_ID; the field by name), adds the header for a new
// document (editType 0) and sets the checksum. An empty amount cell is written
// as 0. A source that cannot be loaded, a row not found, or a cell that is not
// a number gives an error before anything is saved. With `formPath` (the
// template of a corrected file), the form's fields the file lacks are declared
// and written too; fields the form does not know keep their values.
std::optional<WriteError> WriteDataDocument(XmlDocument& xml, const QString& sourcePath,
                                            const WriterGrid& grid, const DataHeader& header,
                                            const QStringList& amountFields,
                                            const std::vector<int>& amountColumns, int editType,
                                            int idColumn, const AmountReader& readAmount,
                                            const QString& formPath = QString());

struct SaveResult
{
    bool ok = false;
    QString error;     // the failure's own description
    QByteArray digest; // of the bytes written, when saved
};

// Saves atomically: a temporary file in the target folder renamed over the target.
// On any failure the previous file is left as it was and no temporary file stays.
// The file is an XML declaration, SerializeRoot in UTF-8 and a line end.
SaveResult SaveDataFile(const XmlDocument& xml, const QString& path);

// The same with a step run after the bytes are written and before the rename;
// returning false abandons the save (lets tests inject a late failure).
SaveResult SaveDataFile(const XmlDocument& xml, const QString& path,
                        const std::function<bool()>& beforeCommit);

// The bytes SaveDataFile writes.
QByteArray DataFileBytes(const XmlDocument& xml);

// Writes bytes atomically as SaveDataFile does: only over an ordinary file (a
// link to one is followed), never a device, a FIFO or a folder.
SaveResult SaveBytes(const QByteArray& bytes, const QString& path,
                     const std::function<bool()>& beforeCommit = {});

// Writes bytes atomically under the name `path` itself: a temporary file in
// its folder renamed onto the name, so whatever stood there (a file, a link,
// a FIFO) is replaced and a link is never written through. A folder in its
// place is refused. For copies kept or handed over (the .bak, an export).
SaveResult ReplaceNameWithBytes(const QByteArray& bytes, const QString& path);

// A fingerprint of a file's bytes, to tell whether it changed on disk.
QByteArray BytesDigest(const QByteArray& bytes);

// The checksum of a text: A_B_C over its Windows-1251 codes.
QString ComputeHash(const QString& text);

// The one serialisation of the root element used by writer and check.
QString SerializeRoot(const XmlDocument& xml);

// Whether the loaded data document carries the right checksum. Leaves `hash` empty.
bool VerifyDataHash(XmlDocument& xml);

} // namespace telm
