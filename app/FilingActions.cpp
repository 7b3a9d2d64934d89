#include "app/FilingActions.h"

#include "checks/Controls.h"
#include "checks/Statement.h"
#include "editor/DocumentEngine.h"
#include "editor/FindingsPanel.h"
#include "editor/PaperSheetOf.h"
#include "editor/SaveControls.h"
#include "export/frmSaveXMLAs.h"
#include "platform/MessageBoxes.h"
#include "platform/ScreenFit.h"
#include "print/PrintOnPrinter.h"
#include "selection/Catalogue.h"
#include "selection/DocumentContext.h"
#include "selection/DocumentOpening.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace telm {

namespace {

QString filingName(const DeskFiling& filing)
{
    return QStringLiteral("%1 (БУЛСТАТ %2), %3%4")
        .arg(filing.company, filing.bulstat, filing.period(),
             filing.forecast ? QStringLiteral(", прогнозен") : QString());
}

} // namespace

std::vector<Finding> FilingFindingsOf(const QStringList& paths, const QString& controlsPath)
{
    // One run over the whole filing, from the first statement that can be
    // read (the desk shows the others as not verified).
    for (const QString& path : paths) {
        Statement statement;
        if (!ReadStatement(path, statement))
            return WholeFilingFindings(statement, controlsPath);
    }
    return {};
}

void ShowFilingFindings(QWidget* parent, const DeskFiling& filing, const QStringList& paths,
                        const QString& controlsPath, const RowOpener& openAt)
{
    std::vector<Finding> findings = FilingFindingsOf(paths, controlsPath);
    if (findings.empty()) {
        platform::ShowMessage(parent, QStringLiteral("TELM Transfer"),
                              QStringLiteral("Отчетността на %1 отговаря на всички контроли.")
                                  .arg(filingName(filing)),
                              platform::MsgIcon::Information);
        return;
    }
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("dlgFilingFindings"));
    dialog.setWindowTitle(QStringLiteral("Контроли на отчетността – %1").arg(filingName(filing)));
    auto* layout = new QVBoxLayout(&dialog);
    auto* panel = new FindingsPanel(&dialog);
    layout->addWidget(panel);
    panel->setFindings(std::move(findings));
    panel->cmdHide()->hide(); // the window closes instead
    std::optional<RowTarget> chosen;
    QObject::connect(panel, &FindingsPanel::rowChosen, &dialog, [&](const RowTarget& target) {
        chosen = target;
        dialog.accept();
    });
    QObject::connect(panel, &FindingsPanel::leaveRequested, &dialog, &QDialog::reject);
    dialog.resize(platform::FitToScreen(&dialog, QSize(900, 420)));
    panel->view()->setFocus();
    dialog.exec();
    if (chosen && openAt)
        openAt(parent, *chosen);
}

void PrintWholeFiling(QWidget* parent, const AppState& state, const DeskFiling& filing,
                      const QStringList& paths)
{
    // Each statement read as the print button reads it, without a lock: printing only reads.
    struct Loaded
    {
        AppState state;
        std::unique_ptr<DocumentEngine> engine;
    };
    std::deque<Loaded> loaded;
    for (const QString& path : paths) {
        Loaded& one = loaded.emplace_back();
        one.state.FilePrefix = state.FilePrefix;
        one.state.programFolder = state.programFolder;
        const Opening opening = OpenFromDataFile(one.state, path);
        std::optional<UserMessage> failure = opening.message;
        if (opening.document) {
            one.engine = std::make_unique<DocumentEngine>(one.state, *opening.document,
                                                          DocumentEngine::Access::ReadOnly);
            failure = LoadForPaper(*one.engine, false);
        }
        if (!opening.document || failure) {
            platform::ShowMessage(
                parent, QStringLiteral("TELM - Грешка"),
                QStringLiteral("Отчетността на %1 не може да бъде отпечатана: %2\n\n%3")
                    .arg(filingName(filing), QDir::toNativeSeparators(path),
                         failure ? failure->text : QString()),
                platform::MsgIcon::Critical);
            return;
        }
    }
    // Sorted by pointer: each engine holds its state by reference, so neither moves.
    std::vector<const Loaded*> order;
    for (const Loaded& one : loaded)
        order.push_back(&one);
    std::stable_sort(order.begin(), order.end(), [](const Loaded* a, const Loaded* b) {
        return FilingRank(QString::fromLatin1(a->engine->docType().code))
               < FilingRank(QString::fromLatin1(b->engine->docType().code));
    });
    PrintRequest request;
    request.company = filing.bulstat;
    request.pdfName = QStringLiteral("Отчетност_%1_%2-%3")
                          .arg(filing.bulstat, filing.year, filing.month.rightJustified(2, u'0'));
    request.pdfFolder = state.dataFolderPath();
    request.inputs = paths;
    request.sheets = [&order](const PaperOptions& options) {
        std::vector<PaperSheet> sheets;
        for (const Loaded* one : order)
            sheets.push_back(PaperSheetOf(*one->engine, options));
        return sheets;
    };
    PrintWithDialog(parent, request);
}

DeskActions ProgramDeskActions(AppState& state, DocumentOpener opener, RowOpener openAt)
{
    DeskActions actions;
    actions.open = [&state, opener](QWidget* parent, const QString& path) {
        const Opening opening = OpenFromDataFile(state, path);
        if (opening.message)
            platform::ShowMessage(parent, *opening.message);
        if (opening.document && opener)
            opener(parent, *opening.document);
    };
    actions.handOver = [&state](QWidget* parent, const DeskFiling&, const QStringList& paths) {
        frmSaveXMLAs dialog(parent, state.dataFolderPath());
        dialog.setFilesToHandOver(paths);
        dialog.exec();
    };
    actions.runControls = [&state, openAt](QWidget* parent, const DeskFiling& filing,
                                           const QStringList& paths) {
        ShowFilingFindings(parent, filing, paths, ControlsPath(state.programFolder), openAt);
    };
    actions.print = [&state](QWidget* parent, const DeskFiling& filing, const QStringList& paths) {
        PrintWholeFiling(parent, state, filing, paths);
    };
    return actions;
}

} // namespace telm
