// The outlines as an accountant reads them: signs said in the titles, no title
// ending in a preposition with nothing after it, and identifiers that keep
// their rows for ever.
#include "data/generator/Outline.h"

#include "tests/support/TestFiles.h"

#include <QDir>
#include <QRegularExpression>

#include <map>
#include <set>

#include <gtest/gtest.h>

using namespace telm;
using blankgen::OutlineRow;

namespace {

std::map<QString, std::vector<OutlineRow>> shippedOutlines()
{
    std::map<QString, std::vector<OutlineRow>> outlines;
    const QDir forms(test::sourceData(QStringLiteral("forms")));
    for (const QString& file : forms.entryList({QStringLiteral("*.txt")}, QDir::Files)) {
        if (file == QLatin1String("Conditions.txt"))
            continue;
        std::vector<OutlineRow> rows;
        const auto error = blankgen::ParseOutline(
            QString::fromUtf8(test::readAll(forms.filePath(file))), file, rows);
        EXPECT_FALSE(error) << qPrintable(error->message);
        outlines[file.chopped(4)] = rows;
    }
    return outlines;
}

bool hasChildren(const std::vector<OutlineRow>& rows, size_t i)
{
    return i + 1 < rows.size() && rows[i + 1].level > rows[i].level;
}

TEST(Outlines, DeductionsAndSignedRowsSaySoInTheirTitles)
{
    for (const auto& [name, rows] : shippedOutlines()) {
        for (const OutlineRow& row : rows) {
            SCOPED_TRACE(
                QStringLiteral("%1 %2 %3").arg(name).arg(row.id).arg(row.title).toStdString());
            EXPECT_EQ(row.deduction, row.title.endsWith(QStringLiteral(" (–)")));
            EXPECT_EQ(row.signedRow, row.title.endsWith(QStringLiteral(" (±)")));
            EXPECT_FALSE(row.deduction && row.locked); // a computed row is never typed
        }
    }
}

TEST(Outlines, NoTitleEndsInAPrepositionWithNothingAfterIt)
{
    static const QRegularExpression dangling(QStringLiteral("\\b(в|на|от|за):?$"));
    for (const auto& [name, rows] : shippedOutlines())
        for (size_t i = 0; i < rows.size(); ++i) {
            if (hasChildren(rows, i))
                continue;
            EXPECT_FALSE(dangling.match(rows[i].title).hasMatch())
                << qPrintable(name) << " " << rows[i].id << " " << qPrintable(rows[i].title);
        }
}

// Saved data files find their rows by level and identifier: every identifier
// keeps its level, a new one is written into the list, a retired one never
// comes back.
TEST(Outlines, IdentifiersKeepTheirRows)
{
    const QString list = QString::fromUtf8(
        test::readAll(QStringLiteral(TELM_SOURCE_DIR "/tests/data/shipped_ids.txt")));
    std::map<QString, std::map<int, int>> listed; // outline -> id -> level
    std::map<QString, std::set<int>> retired;
    for (const QString& line : list.split(u'\n')) {
        if (line.startsWith(u'#') || line.trimmed().isEmpty())
            continue;
        QStringList words = line.split(u' ', Qt::SkipEmptyParts);
        const QString name = words.takeFirst();
        for (const QString& word : words) {
            if (name.endsWith(QLatin1String("-retired")))
                retired[name.chopped(8)].insert(word.toInt());
            else
                listed[name][word.section(u':', 0, 0).toInt()] = word.section(u':', 1, 1).toInt();
        }
    }
    const auto outlines = shippedOutlines();
    EXPECT_EQ(listed.size(), outlines.size());
    for (const auto& [name, rows] : outlines) {
        SCOPED_TRACE(name.toStdString());
        std::map<int, int> shipped;
        for (const OutlineRow& row : rows)
            shipped[row.id] = row.level;
        for (const auto& [id, level] : listed[name]) {
            const auto found = shipped.find(id);
            ASSERT_NE(found, shipped.end()) << "identifier " << id << " was removed: retire it";
            EXPECT_EQ(found->second, level) << "identifier " << id << " moved to another level";
        }
        for (const auto& [id, level] : shipped)
            EXPECT_TRUE(listed[name].count(id))
                << "new identifier " << id << ": add it to the list";
        for (int id : retired[name])
            EXPECT_FALSE(shipped.count(id)) << "retired identifier " << id << " used again";
    }
}

} // namespace
