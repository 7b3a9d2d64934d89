#include "tools/CsvWriter.h"

namespace telm::tool {

void AppendCsvField(QByteArray& line, const QByteArray& bytes)
{
    if (bytes.contains(',') || bytes.contains('"') || bytes.contains('\n')
        || bytes.contains('\r')) {
        QByteArray quoted = bytes;
        quoted.replace("\"", "\"\"");
        line += '"' + quoted + '"';
    } else {
        line += bytes;
    }
}

void AppendCsvText(QByteArray& line, const QString& text, bool raw)
{
    QByteArray bytes = text.toUtf8();
    if (!raw && !bytes.isEmpty() && QByteArray("=+-@\t\r").contains(bytes.front()))
        bytes.prepend('\'');
    AppendCsvField(line, bytes);
}

} // namespace telm::tool
