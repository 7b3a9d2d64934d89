// Opening a data file that is to be believed: an ordinary file of a document's
// size, well-formed, a data file with a checksum, the checksum right, and
// nothing ambiguous in it. What telmtool verify reports, and what every reader
// of handed-over files (check, extract, the controls at save) relies on.
#pragma once

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

// Loads the file into `xml` and checks it; nothing when it is sound. The
// checksum attribute is left empty, as VerifyDataHash leaves it.
std::optional<DataFileFault> OpenVerifiedDataFile(const QString& path, XmlDocument& xml);

// "TAMPERED" or "INVALID: reason", as telmtool prints a file's verdict.
QString FaultVerdict(const DataFileFault& fault);

} // namespace telm
