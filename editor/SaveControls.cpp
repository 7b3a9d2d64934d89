#include "editor/SaveControls.h"

#include "checks/ControlRun.h"
#include "checks/LastYear.h"
#include "editor/AmountText.h"
#include "editor/FormProfile.h"
#include "selection/Catalogue.h"

#include <QDir>
#include <QFileInfo>

#include <deque>

namespace telm {

namespace {

// A column as the statement's form heads it ("Текуща година").
QString formHeading(const Statement& statement, const QString& field)
{
    if (!statement.type)
        return QString();
    for (const AmountColumn& column : ProfileFor(statement.type->form).amounts)
        if (field == QLatin1String(column.field))
            return QString::fromUtf16(column.caption);
    return QString();
}

QString whyNotCompared(const StatementFault& fault)
{
    if (fault.file && fault.file->kind == DataFileFault::Kind::Tampered)
        return QStringLiteral("файлът е променян извън програмата");
    if (fault.file)
        return QStringLiteral("файлът не може да бъде прочетен");
    return QStringLiteral("файлът не е документ на програмата");
}

} // namespace

QStringList ControlFindings(const QString& savedPath, const QString& controlsPath)
{
    QStringList findings;
    ControlTable table;
    if (!QFileInfo::exists(controlsPath))
        return findings;
    if (const std::optional<ControlsError> error = LoadControls(controlsPath, table))
        return {
            QStringLiteral("Файлът с контролите не може да бъде прочетен: %1").arg(error->message)};
    Statement saved;
    if (ReadStatement(savedPath, saved))
        return findings; // nothing to compare: the save itself reported its file

    // The other statements of the filing: same BULSTAT in the name, then the
    // header's company, period and kind.
    std::deque<Statement> others;
    std::vector<const Statement*> filing{&saved};
    const QFileInfo savedInfo(savedPath);
    const QDir folder = savedInfo.absoluteDir();
    const QStringList names = folder.entryList({QStringLiteral("*_%1_*.xml").arg(saved.bulstat)},
                                               QDir::Files, QDir::Name);
    for (const QString& name : names) {
        const QString path = folder.filePath(name);
        if (QFileInfo(path) == savedInfo)
            continue;
        Statement other;
        if (const std::optional<StatementFault> fault = ReadStatement(path, other)) {
            findings << QStringLiteral("Файлът %1 не е сравнен: %2.")
                            .arg(QDir::toNativeSeparators(path), whyNotCompared(*fault));
            continue;
        }
        if (!other.sameFiling(saved))
            continue;
        others.push_back(std::move(other));
        filing.push_back(&others.back());
    }
    // Last year's statements beside them, for the comparatives.
    const LastYearFiling lastYear = FindLastYear(filing);
    for (const auto& [path, fault] : lastYear.unreadable)
        findings << QStringLiteral("Файлът %1 не е сравнен: %2.")
                        .arg(QDir::toNativeSeparators(path), whyNotCompared(fault));
    const auto number = [](qint64 value) { return FormatNumber(static_cast<double>(value)); };
    for (const ControlFailure& failure :
         RunControls(table, filing, &saved, nullptr, lastYear.statements))
        findings << DescribeFailure(failure, number, formHeading);
    return findings;
}

std::optional<UserMessage> ControlsWarning(const QString& savedPath, const QString& controlsPath)
{
    return FindingsWarning(ControlFindings(savedPath, controlsPath));
}

std::optional<UserMessage> FindingsWarning(const QStringList& findings)
{
    if (findings.isEmpty())
        return std::nullopt;
    return UserMessage{QStringLiteral("TELM - Внимание!"),
                       QStringLiteral("Документът е записан, но контролите за съгласуваност "
                                      "показват разлики:\n\n")
                           + findings.join(QStringLiteral("\n\n")),
                       UserMessage::Icon::Warning};
}

} // namespace telm
