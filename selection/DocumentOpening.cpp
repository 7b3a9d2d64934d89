#include "selection/DocumentOpening.h"

#include "selection/Catalogue.h"
#include "selection/DataFileName.h"
#include "selection/DocumentContext.h"
#include "selection/YearText.h"
#include "xmlfiles/DataHeader.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace telm {

namespace {

const QString kWarningTitle = QStringLiteral("Внимание!");

bool isOrdinaryFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && !info.isHidden();
}

// A shared form reads its variant flag; the other flag keeps its value.
void setVariantFlag(AppState& state, const DocType& type)
{
    switch (type.variant) {
    case VariantFlag::BalanceLiquid:
    case VariantFlag::BalanceLiquid2: state.balanceLiquidVariant = type.secondVariant(); break;
    case VariantFlag::IncomeLiquid:
    case VariantFlag::IncomeLiquid2: state.incomeLiquidVariant = type.secondVariant(); break;
    case VariantFlag::None: break;
    }
}

Opening messageOnly(const QString& text)
{
    return Opening{std::nullopt, UserMessage{kWarningTitle, text, UserMessage::Icon::Critical}};
}

// A data file holds the type its header names; a file named for one type but
// holding another would be corrected by the wrong form (and its formulas).
Opening wrongType(const QString& path, const QString& holds, const DocType& named)
{
    return messageOnly(QStringLiteral("Файлът %1 съдържа „%2“, а името му е на „%3“. "
                                      "Документът не е отворен.")
                           .arg(QDir::toNativeSeparators(path), holds, named.titleText()));
}

// What a data file's name says: <prefix>_[P_]<code>_<BULSTAT>_<year>_<month>.xml.
struct NamedFor
{
    const DocType* type = nullptr;
    QString bulstat;
    QString period; // "<month>/<year>"
};

std::optional<NamedFor> namedFor(const QString& path, const QString& prefix)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(.+?)_(?:P_)?([A-Za-z0-9]+)_(\\d{9})_(\\d+)_(\\d+)\\.xml$"));
    const QRegularExpressionMatch match = pattern.match(QFileInfo(path).fileName());
    if (!match.hasMatch() || match.captured(1) != prefix)
        return std::nullopt;
    return NamedFor{DocTypeByCode(match.captured(2)), match.captured(3),
                    match.captured(5) + u'/' + match.captured(4)};
}

// A data file holds the company and period its name gives; one renamed onto
// another company's or period's name would be corrected and handed over as
// that one.
std::optional<Opening> wrongCompanyOrPeriod(const QString& path, const StoredHeader& header,
                                            const QString& bulstat, const QString& period)
{
    const auto refuse = [&](const QString& what, const QString& holds, const QString& named) {
        return messageOnly(QStringLiteral("Файлът %1 съдържа %2 „%3“, а името му е на „%4“. "
                                          "Документът не е отворен.")
                               .arg(QDir::toNativeSeparators(path), what, holds, named));
    };
    if (header.bulstat != bulstat)
        return refuse(QStringLiteral("БУЛСТАТ"), header.bulstat, bulstat);
    const std::optional<PeriodText> held = PeriodFromText(header.period);
    const std::optional<PeriodText> named = PeriodFromText(period);
    if (!held || !named || held->month != named->month || held->year != named->year)
        return refuse(QStringLiteral("период"), header.period, period);
    return std::nullopt;
}

} // namespace

OpenedDocument DocumentInContext(const AppState& state, const DocType& type, int editType,
                                 const QString& path, bool forecast)
{
    OpenedDocument document;
    document.type = &type;
    document.editType = editType;
    document.path = path;
    document.targetPath = editType == 0 ? DataFilePathFor(state, type, forecast) : path;
    if (editType == 0)
        document.header = DataHeader{state.period.sQuarter, QString::number(state.period.iYear),
                                     state.company.Bulstat, state.company.Name,
                                     type.titleText(),      forecast};
    document.programFolder = state.programFolder;
    return document;
}

Opening OpenFromChoices(AppState& state, const DocType& type, bool forecast)
{
    setVariantFlag(state, type);
    state.openedDataFilePath = DataFilePathFor(state, type, forecast);
    if (isOrdinaryFile(state.openedDataFilePath)) {
        // Choosing a combination that was saved before always reopens it.
        state.xml.load(state.openedDataFilePath);
        const StoredHeader header = ReadDataHeader(state.xml);
        if (!header.document.isEmpty() && header.document != type.titleText())
            return wrongType(state.openedDataFilePath, header.document, type);
        if (!header.document.isEmpty())
            if (std::optional<Opening> wrong = wrongCompanyOrPeriod(
                    state.openedDataFilePath, header, state.company.Bulstat,
                    state.period.sQuarter + u'/' + QString::number(state.period.iYear)))
                return *wrong;
        return Opening{DocumentInContext(state, type, 1, state.openedDataFilePath, forecast),
                       std::nullopt};
    }
    const QString templatePath = TemplatePath(state.programFolder, type);
    if (!isOrdinaryFile(templatePath))
        return messageOnly(QStringLiteral("Не съществува коректен структурен файл!"));
    return Opening{DocumentInContext(state, type, 0, templatePath, forecast), std::nullopt};
}

Opening OpenFromDataFile(AppState& state, const QString& path)
{
    state.openedDataFilePath = path.trimmed();
    if (state.openedDataFilePath.isEmpty())
        state.xml.clear(); // what a failed load leaves, without asking the file system
    else
        state.xml.load(state.openedDataFilePath);

    const StoredHeader header = ReadDataHeader(state.xml);
    state.docType.Name = header.document;
    if (state.docType.Name.isEmpty())
        return messageOnly(QStringLiteral("Изберете валиден XML файл!"));

    // A period the program would not have written is refused before the
    // company and period of the context are touched.
    const std::optional<PeriodText> period = PeriodFromText(header.period);
    if (!period)
        return messageOnly(QStringLiteral("Периодът във файла е невалиден!"));
    if (const std::optional<NamedFor> named = namedFor(state.openedDataFilePath, state.FilePrefix))
        if (std::optional<Opening> wrong = wrongCompanyOrPeriod(state.openedDataFilePath, header,
                                                                named->bulstat, named->period))
            return *wrong;
    state.company.Name = header.company;
    state.period.sQuarter = period->month;
    state.period.iYear = period->year;

    const DocType* type = DocTypeByTitle(state.docType.Name);
    if (!type)
        return Opening{};
    if (const std::optional<NamedFor> named = namedFor(state.openedDataFilePath, state.FilePrefix))
        if (named->type && named->type != type)
            return wrongType(state.openedDataFilePath, state.docType.Name, *named->type);
    setVariantFlag(state, *type);
    return Opening{DocumentInContext(state, *type, 1, state.openedDataFilePath, false),
                   std::nullopt};
}

} // namespace telm
