// telmtool list: the desk as text, every data file of a folder with its
// company, period, type, kind, when it was saved, whether it verifies and the
// controls' findings of its filing, grouped by filing.
#include "checks/Controls.h"
#include "desk/DeskScanner.h"
#include "platform/DataFolder.h"
#include "platform/ProgramFolder.h"
#include "selection/Catalogue.h"
#include "tools/Telmtool.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace telm::tool {

namespace {

// A text in one TSV field: tabs and line ends become blanks.
QString field(QString text)
{
    for (const QChar c : {u'\t', u'\n', u'\r'})
        text.replace(c, u' ');
    return text;
}

QString kindOf(const DeskFile& file)
{
    return file.forecast ? QStringLiteral("forecast") : QStringLiteral("real");
}

QString typeOf(const DeskFile& file)
{
    return file.type ? QString::fromLatin1(file.type->code) : file.document;
}

QString savedOf(const DeskFile& file)
{
    return file.saved.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

void writeTable(const DeskSnapshot& desk, std::ostream& out)
{
    out << "file\tcompany\tbulstat\tyear\tmonth\tkind\ttype\tsaved\tverified\tcontrols\n";
    for (const DeskFiling& filing : desk.filings) {
        for (const std::size_t i : filing.files) {
            const DeskFile& f = desk.files[i];
            const QStringList cells{f.path,
                                    f.company,
                                    f.bulstat,
                                    f.year,
                                    f.month,
                                    kindOf(f),
                                    typeOf(f),
                                    savedOf(f),
                                    f.check == FileCheck::Verified ? QStringLiteral("yes")
                                                                   : QStringLiteral("no"),
                                    QString::number(std::max(0, filing.findings))};
            QStringList line;
            for (const QString& cell : cells)
                line << field(cell);
            out << line.join(u'\t') << "\n";
        }
    }
}

void writeJson(const DeskSnapshot& desk, std::ostream& out)
{
    QJsonArray filings;
    for (const DeskFiling& filing : desk.filings) {
        QJsonArray files;
        for (const std::size_t i : filing.files) {
            const DeskFile& f = desk.files[i];
            QJsonObject file{{"file", f.path},
                             {"type", typeOf(f)},
                             {"document", f.document},
                             {"saved", savedOf(f)},
                             {"verified", f.check == FileCheck::Verified}};
            if (!f.fault.isEmpty())
                file.insert(QStringLiteral("fault"), f.fault);
            files.append(file);
        }
        filings.append(QJsonObject{{"company", filing.company},
                                   {"bulstat", filing.bulstat},
                                   {"year", filing.year},
                                   {"month", filing.month},
                                   {"kind", filing.forecast ? "forecast" : "real"},
                                   {"controls", std::max(0, filing.findings)},
                                   {"findings", QJsonArray::fromStringList(filing.findingTexts)},
                                   {"missing", QJsonArray::fromStringList(filing.missing)},
                                   {"files", files}});
    }
    const QJsonObject root{{"folder", desk.folder}, {"filings", filings}};
    out << QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented));
}

} // namespace

int RunList(const QStringList& args, std::ostream& out, std::ostream& err)
{
    CommandLine line("list");
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption controls(QStringLiteral("controls"), QString(),
                                      QStringLiteral("FILE"));
    line.addOption(json);
    line.addOption(controls);
    if (!line.parse(args, err))
        return kExitUsage;
    const QStringList positional = line.positional();
    if (positional.size() > 1)
        return line.usage(err, QStringLiteral("name at most one folder"));

    const QString programFolder = platform::ProgramFolder();
    QString folder = positional.value(0);
    if (folder.isEmpty()) {
        const platform::DataFolderChoice data = platform::DataFolder(programFolder);
        if (data.path.isEmpty()) {
            err << "telmtool list: no data folder: " << data.error << "\n";
            return kExitFailed;
        }
        folder = data.path;
    }
    if (!QDir(folder).exists() || !QDir(folder).isReadable()) {
        err << "telmtool list: cannot read the folder " << folder << "\n";
        return kExitFailed;
    }

    const QString controlsPath =
        line.parser().isSet(controls) ? line.parser().value(controls) : ControlsPath(programFolder);
    DeskScanner scanner(controlsPath, [](qint64 value) { return QString::number(value); });
    if (scanner.controlsError())
        err << "telmtool list: the controls were not run: " << *scanner.controlsError() << "\n";
    const DeskSnapshot desk = scanner.Scan(QDir::cleanPath(folder));
    if (line.parser().isSet(json))
        writeJson(desk, out);
    else
        writeTable(desk, out);
    for (const DeskFile& f : desk.files)
        if (f.check == FileCheck::Refused)
            err << f.path << ": " << f.fault << "\n";
    return desk.refusedCount() == 0 ? kExitOk : kExitFailed;
}

} // namespace telm::tool
