#include "data/generator/Generate.h"

#include "data/generator/BlankWriter.h"
#include "editor/FormProfile.h"
#include "selection/Catalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <set>

namespace telm::blankgen {

namespace {

// "Blanki/testdata_Bal.xml" -> "Bal"
QString outlineName(const DocType& type)
{
    QString base = QFileInfo(QString::fromLatin1(type.templateFile)).completeBaseName();
    return base.mid(QStringLiteral("testdata_").size());
}

std::optional<QString> readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QString::fromUtf8(file.readAll());
}

const DocType* typeForOutline(const QString& name)
{
    for (const DocType& type : Catalogue())
        if (outlineName(type) == name)
            return &type;
    return nullptr;
}

std::optional<OutlineError> checkRuns(const QString& name, const std::vector<ConditionRun>& runs,
                                      const std::vector<OutlineRow>& rows)
{
    std::map<int, const OutlineRow*> byId;
    for (const OutlineRow& row : rows)
        byId[row.id] = &row;
    std::set<int> allTargets;
    for (const ConditionRun& run : runs)
        allTargets.insert(run.target);
    std::set<int> computed;
    const QString where = QStringLiteral("Conditions.txt [%1] ").arg(name);
    for (const ConditionRun& run : runs) {
        const auto target = byId.find(run.target);
        if (target == byId.end())
            return OutlineError{where + QStringLiteral("unknown target %1").arg(run.target)};
        if (!target->second->locked)
            return OutlineError{where + QStringLiteral("target %1 is not locked").arg(run.target)};
        if (computed.count(run.target))
            return OutlineError{where + QStringLiteral("target %1 twice").arg(run.target)};
        for (const ConditionSource& source : run.sources) {
            if (!byId.count(source.id))
                return OutlineError{where + QStringLiteral("unknown source %1").arg(source.id)};
            if (allTargets.count(source.id) && !computed.count(source.id))
                return OutlineError{where
                                    + QStringLiteral("source %1 is computed later").arg(source.id)};
        }
        computed.insert(run.target);
    }
    return std::nullopt;
}

} // namespace

std::optional<OutlineError> GenerateFiles(const QString& formsDir,
                                          std::map<QString, QByteArray>& files)
{
    files.clear();
    std::map<QString, std::vector<OutlineRow>> outlines;
    for (const DocType& type : Catalogue()) {
        const QString name = outlineName(type);
        const QString path = formsDir + QLatin1Char('/') + name + QStringLiteral(".txt");
        const auto text = readText(path);
        if (!text)
            return OutlineError{path + QStringLiteral(": cannot read")};
        std::vector<OutlineRow> rows;
        if (auto error = ParseOutline(*text, name + QStringLiteral(".txt"), rows))
            return error;
        const FormProfile& profile = ProfileFor(type.form);
        const int levels = MaxLevelFor(profile, type) + 1;
        for (const OutlineRow& row : rows)
            if (row.level > levels)
                return OutlineError{QStringLiteral("%1.txt: row %2 is deeper than %3 levels")
                                        .arg(name)
                                        .arg(row.id)
                                        .arg(levels)};
        if (TemplateFields(profile).isEmpty())
            return OutlineError{
                QStringLiteral("%1: the form leaves a column without a role").arg(name)};
        files[QFileInfo(QString::fromLatin1(type.templateFile)).fileName()] =
            TemplateBytes(profile, levels, rows);
        outlines[name] = std::move(rows);
    }

    const QString conditionsPath = formsDir + QStringLiteral("/Conditions.txt");
    const auto text = readText(conditionsPath);
    if (!text)
        return OutlineError{conditionsPath + QStringLiteral(": cannot read")};
    ConditionsOutline conditions;
    if (auto error = ParseConditions(*text, QStringLiteral("Conditions.txt"), conditions))
        return error;
    std::vector<ConditionLine> lines;
    for (const QString& name : conditions.order) {
        const DocType* type = typeForOutline(name);
        if (!type)
            return OutlineError{QStringLiteral("Conditions.txt: no document type [%1]").arg(name)};
        const auto& runs = conditions.runs[name];
        if (auto error = checkRuns(name, runs, outlines[name]))
            return error;
        int order = 0;
        for (const ConditionRun& run : runs)
            for (const ConditionSource& source : run.sources)
                lines.push_back(
                    ConditionLine{type->titleText(), run.target, source.id, source.sign, ++order});
    }
    files[QStringLiteral("Conditions.xml")] = ConditionsBytes(lines);
    return std::nullopt;
}

std::optional<OutlineError> GenerateBlanki(const QString& formsDir, const QString& outDir)
{
    std::map<QString, QByteArray> files;
    if (auto error = GenerateFiles(formsDir, files))
        return error;
    if (!QDir().mkpath(outDir))
        return OutlineError{outDir + QStringLiteral(": cannot create")};
    for (const auto& [name, bytes] : files) {
        QSaveFile file(outDir + QLatin1Char('/') + name);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            return OutlineError{file.fileName() + QStringLiteral(": ") + file.errorString()};
    }
    return std::nullopt;
}

} // namespace telm::blankgen
