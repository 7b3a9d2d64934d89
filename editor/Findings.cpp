#include "editor/Findings.h"

namespace telm {

namespace {

// No message box grows taller than the screen: the rest is in the panel.
constexpr int kFindingsInMessage = 6;

} // namespace

QString RowName(const FindingRow& row)
{
    const QString title = row.title.trimmed();
    if (row.code.trimmed().isEmpty())
        return QStringLiteral("„%1“").arg(title);
    return QStringLiteral("„%1“ (код %2)").arg(title, row.code.trimmed());
}

QString FindingRowText(const FindingRow& row)
{
    QString text = RowName(row);
    if (!row.column.isEmpty())
        text += QStringLiteral(", колона „%1“").arg(row.column);
    if (!row.here)
        text = row.document + QStringLiteral(": ") + text;
    return text;
}

std::vector<Finding> TextFindings(const QStringList& texts)
{
    std::vector<Finding> out;
    for (const QString& text : texts)
        out.push_back(Finding{text, {}, std::nullopt});
    return out;
}

QStringList FindingTexts(const std::vector<Finding>& findings)
{
    QStringList out;
    for (const Finding& f : findings)
        out << f.text;
    return out;
}

QString SavedWithFindingsText(const std::vector<Finding>& findings)
{
    QString text = QStringLiteral("Документът е записан.\n\nКонтролите показват разлики (%1). "
                                  "Те са изброени под таблицата в „Констатации от контролите“: "
                                  "двоен щрак върху констатация води до реда.\n")
                       .arg(findings.size());
    const int shown = std::min<int>(kFindingsInMessage, static_cast<int>(findings.size()));
    for (int i = 0; i < shown; ++i)
        text += QStringLiteral("\n• ") + findings[static_cast<size_t>(i)].text;
    if (static_cast<int>(findings.size()) > shown)
        text += QStringLiteral("\n… и още %1.").arg(static_cast<int>(findings.size()) - shown);
    return text;
}

} // namespace telm
