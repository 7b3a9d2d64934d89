#include "tools/FillCsv.h"

#include <QRegularExpression>

namespace telm::tool {

void ReadFillCsv(const QByteArray& bytes, const QString& path, std::vector<FillEntry>& entries,
                 QStringList& skipped)
{
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    static const QRegularExpression number(QStringLiteral("^-?\\d+$"));
    const QStringList lines = text.split(lineEnd);
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        const QStringList parts = line.split(u';');
        const QString where = QStringLiteral("%1:%2").arg(path).arg(i + 1);
        if (parts.size() != 3) {
            skipped << where + QStringLiteral(": expected ID;FIELD;AMOUNT");
            continue;
        }
        if (i == 0 && parts[0].trimmed().compare(u"ID", Qt::CaseInsensitive) == 0
            && parts[1].trimmed().compare(u"FIELD", Qt::CaseInsensitive) == 0
            && parts[2].trimmed().compare(u"AMOUNT", Qt::CaseInsensitive) == 0)
            continue; // the header
        if (!number.match(parts[0].trimmed()).hasMatch()) {
            skipped << where + QStringLiteral(": the identifier is not a number");
            continue;
        }
        entries.push_back({parts[0].trimmed(), parts[1].trimmed(), parts[2], where});
    }
}

} // namespace telm::tool
