// telmtool print: data files (or a template, as a blank form) printed to one
// PDF without a display, laid out for paper as the print button lays them out
// and painted by the program's own printed document.
#include "editor/DocumentEngine.h"
#include "editor/PaperSheetOf.h"
#include "platform/ProgramFolder.h"
#include "print/OutputPath.h"
#include "print/PrintDocument.h"
#include "selection/Catalogue.h"
#include "selection/DataFileName.h"
#include "selection/DocumentContext.h"
#include "selection/DocumentOpening.h"
#include "tools/Telmtool.h"
#include "xmlfiles/DataHeader.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QRect>

#include <algorithm>
#include <memory>

namespace telm::tool {

namespace {

int failed(std::ostream& err, const QString& why)
{
    err << "telmtool print: " << why << "\n";
    return kExitFailed;
}

// Fonts and painting need a GUI application; printing needs no screen.
std::unique_ptr<QGuiApplication> guiApplication()
{
    if (QCoreApplication::instance())
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "telmtool";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

struct Source
{
    OpenedDocument document;
    bool blank = false;
};

// A data file opens for correction as the open-document dialog opens it; a
// template opens as a new document, its type told by --type or its name.
std::optional<Source> openSource(AppState& state, const QString& path, const QString& code,
                                 QString& why)
{
    if (!state.xml.load(path)) {
        why = QStringLiteral("cannot read %1: %2").arg(path, state.xml.lastError());
        return std::nullopt;
    }
    if (!ReadDataHeader(state.xml).document.isEmpty()) {
        const Opening opening = OpenFromDataFile(state, path);
        if (!opening.document) {
            why = opening.message ? opening.message->text
                                  : QStringLiteral("%1 is not a document of this program: \"%2\"")
                                        .arg(path, state.docType.Name);
            return std::nullopt;
        }
        return Source{*opening.document, false};
    }
    const DocType* type =
        code.isEmpty() ? DocTypeByTemplateName(QFileInfo(path).fileName()) : DocTypeByCode(code);
    if (!type) {
        why = code.isEmpty()
                  ? QStringLiteral("%1 has no header and is not named as a template; give --type")
                        .arg(path)
                  : QStringLiteral("unknown document type code: %1").arg(code);
        return std::nullopt;
    }
    state.docType.Name = type->titleText();
    return Source{DocumentInContext(state, *type, 0, path, false), true};
}

struct Printed
{
    QString file;
    int rank = 0;
    QString filing; // company, period and kind: what every file of one filing shares
    PaperSheet sheet;
};

// One file as a statement on paper.
std::optional<Printed> printedOf(const QString& file, const QCommandLineParser& parser,
                                 const QString& programFolder, const PaperOptions& choices,
                                 QString& why)
{
    AppState state;
    state.FilePrefix = kFilePrefix;
    state.programFolder = programFolder;
    const std::optional<Source> source =
        openSource(state, file, parser.value(QStringLiteral("type")), why);
    if (!source)
        return std::nullopt;
    // Printing only reads: it takes no lock, so a document open in the program prints too.
    DocumentEngine engine(state, source->document, DocumentEngine::Access::ReadOnly);
    if (const std::optional<UserMessage> failure = LoadForPaper(engine, source->blank)) {
        why = failure->text;
        return std::nullopt;
    }
    PaperOptions options = choices;
    options.blank = source->blank;
    Printed printed;
    printed.file = file;
    printed.rank = FilingRank(QString::fromLatin1(engine.docType().code));
    printed.sheet = PaperSheetOf(engine, options);
    printed.filing = source->blank ? QStringLiteral("blank:") + file
                                   : QStringLiteral("%1 %2/%3 %4")
                                         .arg(printed.sheet.title.bulstat, state.period.sQuarter)
                                         .arg(state.period.iYear)
                                         .arg(engine.header().forecast);
    return printed;
}

} // namespace

int RunPrint(const QStringList& args, std::ostream& out, std::ostream& err)
{
    CommandLine line("print");
    const QCommandLineOption pdf(QStringLiteral("pdf"), QString(), QStringLiteral("OUT"));
    const QCommandLineOption landscape(QStringLiteral("landscape"));
    const QCommandLineOption portrait(QStringLiteral("portrait"));
    const QCommandLineOption type(QStringLiteral("type"), QString(), QStringLiteral("CODE"));
    const QCommandLineOption folder(QStringLiteral("folder"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption unit(QStringLiteral("unit"), QString(), QStringLiteral("UNIT"));
    const QCommandLineOption compiler(QStringLiteral("compiler"), QString(),
                                      QStringLiteral("NAME"));
    const QCommandLineOption manager(QStringLiteral("manager"), QString(), QStringLiteral("NAME"));
    for (const QCommandLineOption& option :
         {pdf, landscape, portrait, type, folder, unit, compiler, manager})
        line.addOption(option);
    if (!line.parse(args, err))
        return kExitUsage;
    const QCommandLineParser& parser = line.parser();
    const QStringList files = line.positional();
    if (files.isEmpty())
        return line.usage(err, QStringLiteral("name a file to print"));
    if (!parser.isSet(pdf) || parser.value(pdf).isEmpty())
        return line.usage(err, QStringLiteral("--pdf OUT.pdf is required"));
    if (parser.isSet(landscape) && parser.isSet(portrait))
        return line.usage(err, QStringLiteral("--landscape and --portrait exclude each other"));
    PaperOptions choices;
    if (parser.isSet(unit)) {
        if (parser.value(unit) == QStringLiteral("thousands"))
            choices.unit = PaperUnit::Thousands;
        else if (parser.value(unit) != QStringLiteral("leva"))
            return line.usage(err, QStringLiteral("--unit is leva or thousands"));
    }
    choices.compiler = parser.value(compiler).simplified();
    choices.manager = parser.value(manager).simplified();

    const std::unique_ptr<QGuiApplication> application = guiApplication();
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return failed(err, QStringLiteral("printing needs a graphical application"));

    const QString output = parser.value(pdf);
    // Refused before anything is read: nothing is written over what must stay.
    if (const std::optional<QString> refused = RefusedOutput(output, files))
        return failed(err, *refused);

    // A data file is read into its form: the template in the program's folder.
    const QString programFolder =
        parser.isSet(folder) ? parser.value(folder) : platform::ProgramFolder();
    std::vector<Printed> printed;
    for (const QString& file : files) {
        QString why;
        std::optional<Printed> one = printedOf(file, parser, programFolder, choices, why);
        if (!one)
            return failed(err, why);
        if (!printed.empty() && one->filing != printed.front().filing)
            return failed(err, QStringLiteral("%1 is not of the company and period of %2")
                                   .arg(file, printed.front().file));
        printed.push_back(std::move(*one));
    }
    std::stable_sort(printed.begin(), printed.end(),
                     [](const Printed& a, const Printed& b) { return a.rank < b.rank; });
    std::vector<PaperSheet> sheets;
    for (Printed& p : printed)
        sheets.push_back(std::move(p.sheet));

    std::optional<bool> sideways;
    if (parser.isSet(landscape))
        sideways = true;
    else if (parser.isSet(portrait))
        sideways = false;
    if (const std::optional<QString> failure = PrintFiling(output, sheets, sideways, files))
        return failed(err, QStringLiteral("cannot write %1: %2").arg(output, *failure));
    out << output << "\n";
    return kExitOk;
}

} // namespace telm::tool
