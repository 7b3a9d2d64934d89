#include "print/PrintOnPrinter.h"

#include "platform/MessageBoxes.h"
#include "platform/PrintDialogs.h"
#include "print/OutputPath.h"
#include "print/PrintDocument.h"

#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QLineEdit>
#include <QPrinter>
#include <QSettings>

namespace telm {

namespace {

QString printerStateText(const QPrinter& printer)
{
    switch (printer.printerState()) {
    case QPrinter::Idle: return QStringLiteral("готов");
    case QPrinter::Active: return QStringLiteral("печата");
    case QPrinter::Aborted: return QStringLiteral("печатът е прекъснат");
    case QPrinter::Error: return QStringLiteral("грешка");
    }
    return QString();
}

// The print dialog's tab "Отчет": the unit and the names under the signatures.
class PaperOptionsTab : public QWidget
{
public:
    explicit PaperOptionsTab(const PaperOptions& options)
    {
        setWindowTitle(QStringLiteral("Отчет"));
        setObjectName(QStringLiteral("paperOptions"));
        auto* form = new QFormLayout(this);
        m_unit = new QComboBox(this);
        m_unit->setObjectName(QStringLiteral("cboUnit"));
        m_unit->addItem(QStringLiteral("в лева"));
        m_unit->addItem(QStringLiteral("в хиляди лева"));
        m_unit->setCurrentIndex(options.unit == PaperUnit::Thousands ? 1 : 0);
        m_compiler = new QLineEdit(options.compiler, this);
        m_compiler->setObjectName(QStringLiteral("txtCompiler"));
        m_manager = new QLineEdit(options.manager, this);
        m_manager->setObjectName(QStringLiteral("txtManager"));
        form->addRow(QStringLiteral("Суми:"), m_unit);
        form->addRow(QStringLiteral("Съставил:"), m_compiler);
        form->addRow(QStringLiteral("Изп.Директор(Управител):"), m_manager);
    }

    PaperOptions options() const
    {
        PaperOptions o;
        o.unit = m_unit->currentIndex() == 1 ? PaperUnit::Thousands : PaperUnit::Leva;
        o.compiler = m_compiler->text().simplified();
        o.manager = m_manager->text().simplified();
        return o;
    }

private:
    QComboBox* m_unit = nullptr;
    QLineEdit* m_compiler = nullptr;
    QLineEdit* m_manager = nullptr;
};

QString settingsGroup(const QString& company)
{
    return QStringLiteral("paper/") + (company.isEmpty() ? QStringLiteral("blank") : company);
}

} // namespace

PaperOptions RememberedPaperOptions(const QString& company)
{
    QSettings settings;
    settings.beginGroup(settingsGroup(company));
    PaperOptions options;
    options.unit = settings.value(QStringLiteral("unit")).toString() == QStringLiteral("thousands")
                       ? PaperUnit::Thousands
                       : PaperUnit::Leva;
    options.compiler = settings.value(QStringLiteral("compiler")).toString();
    options.manager = settings.value(QStringLiteral("manager")).toString();
    return options;
}

void RememberPaperOptions(const QString& company, const PaperOptions& options)
{
    QSettings settings;
    settings.beginGroup(settingsGroup(company));
    settings.setValue(QStringLiteral("unit"), options.unit == PaperUnit::Thousands
                                                  ? QStringLiteral("thousands")
                                                  : QStringLiteral("leva"));
    settings.setValue(QStringLiteral("compiler"), options.compiler);
    settings.setValue(QStringLiteral("manager"), options.manager);
}

PrintOutcome PrintWithDialog(QWidget* parent, const PrintRequest& request)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(DefaultPageLayout(false));
    printer.setDocName(request.pdfName);
    printer.setCreator(QStringLiteral("TELM Transfer"));
    PaperOptionsTab tab(RememberedPaperOptions(request.company));
    // Qt's dialog proposes "<current folder>/<document name>.pdf" for a file:
    // the current folder is the data folder while it is open.
    const QString current = QDir::currentPath();
    if (!request.pdfFolder.isEmpty())
        QDir::setCurrent(request.pdfFolder);
    const bool chosen = platform::printDialogs().choosePrinter(parent, printer, &tab);
    QDir::setCurrent(current);
    if (!chosen)
        return {};
    const bool toFile =
        printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
    if (toFile) {
        // Not over the statement itself, a data file, a link or anything but an ordinary file.
        if (const std::optional<QString> refused =
                RefusedOutput(printer.outputFileName(), request.inputs)) {
            platform::ShowMessage(parent, QStringLiteral("TELM - Грешка"), *refused,
                                  platform::MsgIcon::Critical);
            return {};
        }
    }
    const PaperOptions options = tab.options();
    RememberPaperOptions(request.company, options);
    const std::vector<PaperSheet> sheets = request.sheets(options);

    std::optional<QString> failure;
    PrintOutcome outcome;
    if (toFile) {
        outcome.pdfFile = printer.outputFileName();
        // Into a file: written whole, only over an ordinary file, or the file that was there stays.
        failure = PrintFiling(printer.outputFileName(), sheets, std::nullopt, request.inputs);
    } else {
        failure = PrintDocument(printer, sheets, std::nullopt, [&printer] { printer.abort(); });
        if (!failure && printer.printerState() == QPrinter::Error)
            failure = QStringLiteral("Печатът не завърши.");
        if (failure)
            failure = QStringLiteral("%1 (принтер „%2“: %3)")
                          .arg(*failure, printer.printerName(), printerStateText(printer));
    }
    if (failure) {
        HandlePrintError(parent, *failure);
        return {};
    }
    outcome.printed = true;
    outcome.printer = printer.printerName();
    return outcome;
}

bool HandlePrintError(QWidget* parent, const QString& reason)
{
    platform::ShowMessage(parent, QStringLiteral("TELM - Грешка"),
                          QStringLiteral("Принтерът не е готов!\n") + reason,
                          platform::MsgIcon::Critical);
    return true;
}

} // namespace telm
