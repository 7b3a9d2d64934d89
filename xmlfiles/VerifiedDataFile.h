// Opening a document file that is to be believed: an ordinary file of a
// document's size, well-formed, nothing ambiguous in it and, for a data file,
// a data file with a checksum and the checksum right. The one road by which the
// program, the export, printing and telmtool read a file they act on.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace telm {

class XmlDocument;

struct DataFileFault
{
    enum class Kind {
        Unreadable,    // missing, not an ordinary file, too large
        NotWellFormed, // not XML
        NotADataFile,  // the root element is not xml
        NoChecksum,    // the root has no hash attribute
        Tampered,      // the checksum does not match the content
        Ambiguous,     // repeated attributes or identifiers, forbidden characters
    };
    Kind kind;
    QString detail; // the reader's or the check's own words
};

// A template carries no checksum; a data file must carry the right one.
enum class FileRole { Template, DataFile };

// Loads the file into `xml`, its bytes as read into `bytes`, and checks it in
// the order of the kinds above; nothing when it is sound. A data file's
// checksum attribute is left empty, as VerifyDataHash leaves it. A file that is
// not well-formed leaves `xml` empty.
std::optional<DataFileFault> OpenDocumentFile(const QString& path, FileRole role, XmlDocument& xml,
                                              QByteArray& bytes);

// The same for a data file, when its bytes are not wanted.
std::optional<DataFileFault> OpenVerifiedDataFile(const QString& path, XmlDocument& xml);

// "TAMPERED" or "INVALID: reason", as telmtool prints a file's verdict.
QString FaultVerdict(const DataFileFault& fault);

} // namespace telm
