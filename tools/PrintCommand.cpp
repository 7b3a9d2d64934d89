// telmtool print: a data file (or a template, as a blank form) printed to PDF
// without a display, laid out as the document form lays it out and painted by
// the program's own printed document.
#include "editor/DocumentEngine.h"
#include "editor/FormLayout.h"
#include "platform/ProgramFolder.h"
#include "print/PagePlan.h"
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
    PrintTitle title;
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
        // Whether it is a forecast, the engine reads from the header it verified.
        return Source{*opening.document,
                      TitleOf(opening.document->type->titleText(), state.company.Name,
                              state.period.sQuarter, QString::number(state.period.iYear), false)};
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
    return Source{DocumentInContext(state, *type, 0, path, false),
                  BlankFormTitle(type->titleText())};
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
    for (const QCommandLineOption& option : {pdf, landscape, portrait, type, folder})
        line.addOption(option);
    if (!line.parse(args, err))
        return kExitUsage;
    const QCommandLineParser& parser = line.parser();
    const QStringList files = line.positional();
    if (files.size() != 1)
        return line.usage(err, QStringLiteral("name one file to print"));
    if (!parser.isSet(pdf) || parser.value(pdf).isEmpty())
        return line.usage(err, QStringLiteral("--pdf OUT.pdf is required"));
    if (parser.isSet(landscape) && parser.isSet(portrait))
        return line.usage(err, QStringLiteral("--landscape and --portrait exclude each other"));

    const std::unique_ptr<QGuiApplication> application = guiApplication();
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return failed(err, QStringLiteral("printing needs a graphical application"));

    AppState state;
    state.FilePrefix = kFilePrefix;
    // A data file is read into its form: the template in the program's folder.
    state.programFolder = parser.isSet(folder) ? parser.value(folder) : platform::ProgramFolder();
    QString why;
    const std::optional<Source> source = openSource(state, files.first(), parser.value(type), why);
    if (!source)
        return failed(err, why);
    // Printing only reads: it takes no lock, so a document open in the program prints too.
    DocumentEngine engine(state, source->document, DocumentEngine::Access::ReadOnly);
    if (const std::optional<UserMessage> failure = engine.load())
        return failed(err, failure->text);
    PrintTitle title = source->title;
    if (source->document.editType == 1)
        title.forecast = engine.header().forecast;

    const FormProfile& profile = engine.profile();
    const bool sideways = parser.isSet(landscape) || (profile.landscape && !parser.isSet(portrait));
    const QPageLayout page = DefaultPageLayout(sideways);
    // The grid laid out so that its printed width fills the width the page allows.
    const int gridWidth = GridWidthForColumns(
        profile, GridWidthFillingPage(page.paintRectPoints().width() * 20, sideways));
    ApplyLoadLayout(profile, engine.maxLevel(), engine.grid(), gridWidth);
    if (engine.typedComparatives())
        MarkTypedComparatives(profile, engine.grid());
    ApplyResizeWidths(profile, engine.grid(), gridWidth);

    const QString output = parser.value(pdf);
    if (const std::optional<QString> failure =
            PrintToPdf(output, engine.grid(), title, sideways, page))
        return failed(err, QStringLiteral("cannot write %1: %2").arg(output, *failure));
    out << output << "\n";
    return kExitOk;
}

} // namespace telm::tool
