#include "desk/FilingOrder.h"

#include "selection/Catalogue.h"

#include <QFileInfo>

#include <algorithm>
#include <map>
#include <tuple>

namespace telm {

namespace {

// The codes in the order a filing hands them over.
const char* const kFilingOrder[] = {"Bal",     "OPR",    "OPP",     "MFlow",  "Cap",
                                    "Take",    "Liab",   "Prov",    "OPRInt", "BalLiq",
                                    "BalLiq2", "OPRLiq", "OPRLiq2", "OPPLiq"};

bool has(const std::vector<const DocType*>& present, const char* code)
{
    return std::any_of(present.begin(), present.end(),
                       [code](const DocType* t) { return t && qstrcmp(t->code, code) == 0; });
}

QString titleOf(const char* code)
{
    return DocTypeByCode(QString::fromLatin1(code))->titleText();
}

int number(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : -1;
}

} // namespace

QString DeskFile::fileName() const
{
    return QFileInfo(path).fileName();
}

const DeskFiling* DeskSnapshot::filingOf(std::size_t file) const
{
    for (const DeskFiling& filing : filings)
        if (std::find(filing.files.begin(), filing.files.end(), file) != filing.files.end())
            return &filing;
    return nullptr;
}

int DeskSnapshot::refusedCount() const
{
    return static_cast<int>(std::count_if(files.begin(), files.end(), [](const DeskFile& f) {
        return f.check == FileCheck::Refused;
    }));
}

int FilingRank(const DocType* type)
{
    if (type)
        for (std::size_t i = 0; i < std::size(kFilingOrder); ++i)
            if (qstrcmp(type->code, kFilingOrder[i]) == 0)
                return static_cast<int>(i);
    return static_cast<int>(std::size(kFilingOrder));
}

QStringList MissingStatements(const std::vector<const DocType*>& present)
{
    QStringList missing;
    const bool liquidation = std::any_of(present.begin(), present.end(), [](const DocType* t) {
        return t && FilingRank(t) >= FilingRank(DocTypeByCode(QStringLiteral("BalLiq")));
    });
    if (liquidation) {
        if (!has(present, "BalLiq") && !has(present, "BalLiq2"))
            missing << titleOf("BalLiq");
        if (!has(present, "OPRLiq") && !has(present, "OPRLiq2"))
            missing << titleOf("OPRLiq");
        if (!has(present, "OPPLiq"))
            missing << titleOf("OPPLiq");
        return missing;
    }
    if (!has(present, "Bal"))
        missing << titleOf("Bal");
    if (!has(present, "OPR"))
        missing << titleOf("OPR");
    if (!has(present, "OPP") && !has(present, "MFlow"))
        missing << QStringLiteral("Отчет за паричния поток (по прекия или косвения метод)");
    if (!has(present, "Cap"))
        missing << titleOf("Cap");
    return missing;
}

void GroupIntoFilings(DeskSnapshot& snapshot)
{
    snapshot.filings.clear();
    // Key: BULSTAT, period and kind; files without a header under an empty key.
    using Key = std::tuple<QString, QString, QString, bool>;
    std::map<Key, DeskFiling> byKey;
    for (std::size_t i = 0; i < snapshot.files.size(); ++i) {
        const DeskFile& f = snapshot.files[i];
        const bool headed = !f.document.isEmpty();
        const Key key{headed ? f.bulstat : QString(), headed ? f.year : QString(),
                      headed ? f.month : QString(), headed && f.forecast};
        DeskFiling& filing = byKey[key];
        if (filing.files.empty() && headed) {
            filing.company = f.company;
            filing.bulstat = f.bulstat;
            filing.year = f.year;
            filing.month = f.month;
            filing.forecast = f.forecast;
        }
        filing.files.push_back(i);
    }
    for (auto& [key, filing] : byKey) {
        std::stable_sort(filing.files.begin(), filing.files.end(),
                         [&](std::size_t a, std::size_t b) {
                             const DeskFile& x = snapshot.files[a];
                             const DeskFile& y = snapshot.files[b];
                             return std::make_tuple(FilingRank(x.type), x.fileName())
                                    < std::make_tuple(FilingRank(y.type), y.fileName());
                         });
        if (!filing.bulstat.isEmpty() || !filing.company.isEmpty()) {
            std::vector<const DocType*> present;
            for (const std::size_t i : filing.files)
                present.push_back(snapshot.files[i].type);
            filing.missing = MissingStatements(present);
        }
        snapshot.filings.push_back(std::move(filing));
    }
    std::stable_sort(snapshot.filings.begin(), snapshot.filings.end(),
                     [](const DeskFiling& a, const DeskFiling& b) {
                         const bool aHeadless = a.bulstat.isEmpty() && a.company.isEmpty();
                         const bool bHeadless = b.bulstat.isEmpty() && b.company.isEmpty();
                         if (aHeadless != bHeadless)
                             return bHeadless;
                         const int byName = a.company.compare(b.company, Qt::CaseInsensitive);
                         if (byName != 0)
                             return byName < 0;
                         if (a.bulstat != b.bulstat)
                             return a.bulstat < b.bulstat;
                         // Newest period first: the season's work on top.
                         const auto period = [](const DeskFiling& f) {
                             return std::make_pair(number(f.year), number(f.month));
                         };
                         if (period(a) != period(b))
                             return period(a) > period(b);
                         return !a.forecast && b.forecast;
                     });
}

} // namespace telm
