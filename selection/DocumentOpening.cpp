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

// The type a data file's name gives: <prefix>_[P_]<code>_<BULSTAT>_<year>_<month>.xml.
const DocType* typeNamedBy(const QString& path, const QString& prefix)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(.+?)_(?:P_)?([A-Za-z0-9]+)_\\d{9}_\\d+_\\d+\\.xml$"));
    const QRegularExpressionMatch match = pattern.match(QFileInfo(path).fileName());
    if (!match.hasMatch() || match.captured(1) != prefix)
        return nullptr;
    return DocTypeByCode(match.captured(2));
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
        const QString holds = ReadDataHeader(state.xml).document;
        if (!holds.isEmpty() && holds != type.titleText())
            return wrongType(state.openedDataFilePath, holds, type);
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
    state.company.Name = header.company;
    state.period.sQuarter = period->month;
    state.period.iYear = period->year;

    const DocType* type = DocTypeByTitle(state.docType.Name);
    if (!type)
        return Opening{};
    const DocType* named = typeNamedBy(state.openedDataFilePath, state.FilePrefix);
    if (named && named != type)
        return wrongType(state.openedDataFilePath, state.docType.Name, *named);
    setVariantFlag(state, *type);
    return Opening{DocumentInContext(state, *type, 1, state.openedDataFilePath, false),
                   std::nullopt};
}

} // namespace telm
