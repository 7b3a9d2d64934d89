#include "app/frmImport.h"

#include "app/AccountMapSetting.h"
#include "platform/FileDialogs.h"
#include "platform/HelpTopics.h"
#include "platform/MessageBoxes.h"
#include "platform/ScreenFit.h"
#include "selection/Bulstat.h"
#include "selection/Catalogue.h"
#include "selection/CompanyCompletion.h"
#include "selection/NewDocumentChecks.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace telm {

namespace {

QTableView* previewTable(const char* name, const QString& accessibleName, QAbstractItemModel* model)
{
    auto* view = new QTableView;
    view->setObjectName(QString::fromLatin1(name));
    view->setModel(model);
    view->setAccessibleName(accessibleName);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAlternatingRowColors(true);
    view->setWordWrap(false);
    view->setTabKeyNavigation(false);
    view->verticalHeader()->hide();
    // One line a row, as dense as the desk's table.
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setStretchLastSection(true);
    return view;
}

QLabel* fieldLabel(const char* name, const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(name));
    label->setBuddy(buddy);
    return label;
}

} // namespace

frmImport::frmImport(const AppState& state, QWidget* parent) : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(QStringLiteral("Импорт от оборотна ведомост"));
    setProperty(platform::kHelpTopicProperty, kHelpTopic);
    setModal(true);
    buildControls();
    resize(platform::FitToScreen(this, QSize(1000, 640)));
    showPlan();
}

QLineEdit* frmImport::addPathField(const char* name)
{
    auto* field = new QLineEdit;
    field->setObjectName(QString::fromLatin1(name));
    connect(field, &QLineEdit::textChanged, m_replan, qOverload<>(&QTimer::start));
    connect(field, &QLineEdit::editingFinished, this, [this] {
        if (m_replan->isActive()) {
            m_replan->stop();
            replan();
        }
    });
    return field;
}

void frmImport::buildControls()
{
    // A typed path is read again once the typing stops.
    m_replan = new QTimer(this);
    m_replan->setSingleShot(true);
    m_replan->setInterval(400);
    connect(m_replan, &QTimer::timeout, this, &frmImport::replan);

    const int digit = fontMetrics().horizontalAdvance(u'0');
    m_txtTrialBalance = addPathField("txtTrialBalance");
    m_txtTrialBalance->setMinimumWidth(digit * 30);
    m_txtTrialBalance->setAccessibleDescription(
        QStringLiteral("Файлът на оборотната ведомост: CSV или с табулации"));
    m_cmdBrowse = new QPushButton(QStringLiteral("&Преглед..."));
    m_cmdBrowse->setObjectName(QStringLiteral("cmdBrowse"));
    m_cmdBrowse->setAccessibleName(QStringLiteral("Избор на оборотната ведомост"));
    m_txtBulstat = new QLineEdit;
    m_txtBulstat->setObjectName(QStringLiteral("txtBulstat"));
    m_txtBulstat->setFixedWidth(digit * 16);
    m_txtName = new QLineEdit;
    m_txtName->setObjectName(QStringLiteral("txtName"));
    m_txtName->setMinimumWidth(digit * 24);
    m_cboMonth = new QComboBox;
    m_cboMonth->setObjectName(QStringLiteral("cboMonth"));
    m_cboMonth->addItems(PeriodMonths());
    m_cboMonth->setCurrentIndex(static_cast<int>(PeriodMonths().size()) - 1);
    m_cboMonth->setMinimumWidth(digit * 8);
    m_cboMonth->setAccessibleName(QStringLiteral("Месец"));
    m_cboMonth->setAccessibleDescription(QStringLiteral("Месец на периода: 3, 6, 9 или 12"));
    m_txtYear = new QLineEdit;
    m_txtYear->setObjectName(QStringLiteral("txtYear"));
    m_txtYear->setFixedWidth(digit * 9);
    m_txtAccounts = addPathField("txtAccounts");
    m_txtAccounts->setPlaceholderText(QStringLiteral("няма: само Blanki/Accounts.txt"));
    m_txtAccounts->setAccessibleDescription(
        QStringLiteral("Незадължителен файл на предприятието: редовете му заместват тези на "
                       "Accounts.txt; запомня се за предприятието"));
    connect(m_txtAccounts, &QLineEdit::textEdited, this, [this] { m_mapPrefilled = false; });
    m_cmdBrowseMap = new QPushButton(QStringLiteral("П&реглед..."));
    m_cmdBrowseMap->setObjectName(QStringLiteral("cmdBrowseMap"));
    m_cmdBrowseMap->setAccessibleName(QStringLiteral("Избор на сметкоплана на предприятието"));

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(12);
    fields->setColumnStretch(1, 1);
    fields->addWidget(
        fieldLabel("lblTrialBalance", QStringLiteral("Оборотна &ведомост"), m_txtTrialBalance), 0,
        0);
    fields->addWidget(m_txtTrialBalance, 0, 1, 1, 3);
    fields->addWidget(m_cmdBrowse, 0, 4);
    auto* company = new QHBoxLayout;
    company->addWidget(m_txtBulstat);
    company->addSpacing(12);
    company->addWidget(fieldLabel("lblName", QStringLiteral("Им&е"), m_txtName));
    company->addSpacing(6);
    company->addWidget(m_txtName, 1);
    fields->addWidget(fieldLabel("lblBulstat", QStringLiteral("&Булстат"), m_txtBulstat), 1, 0);
    fields->addLayout(company, 1, 1, 1, 4);
    auto* period = new QHBoxLayout;
    period->addWidget(m_cboMonth);
    period->addSpacing(12);
    period->addWidget(fieldLabel("lblYear", QStringLiteral("&Година"), m_txtYear));
    period->addSpacing(6);
    period->addWidget(m_txtYear);
    period->addStretch(1);
    fields->addWidget(fieldLabel("lblMonth", QStringLiteral("&Месец"), m_cboMonth), 2, 0);
    fields->addLayout(period, 2, 1, 1, 4);
    fields->addWidget(
        fieldLabel("lblAccounts", QStringLiteral("&Сметкоплан на предприятието"), m_txtAccounts), 3,
        0);
    fields->addWidget(m_txtAccounts, 3, 1, 1, 3);
    fields->addWidget(m_cmdBrowseMap, 3, 4);

    m_accounts = new QStandardItemModel(0, 4, this);
    m_accounts->setHorizontalHeaderLabels({QStringLiteral("Сметка"), QStringLiteral("Наименование"),
                                           QStringLiteral("Салдо"), QStringLiteral("Къде отива")});
    m_cells = new QStandardItemModel(0, 5, this);
    m_cells->setHorizontalHeaderLabels({QStringLiteral("Документ"), QStringLiteral("Ред"),
                                        QStringLiteral("Колона"), QStringLiteral("Сума"),
                                        QStringLiteral("От сметки")});
    m_tblAccounts =
        previewTable("tblAccounts", QStringLiteral("Сметки на оборотната ведомост"), m_accounts);
    m_tblCells = previewTable("tblCells", QStringLiteral("Суми за документите"), m_cells);
    m_tblAccounts->setAccessibleDescription(
        QStringLiteral("Всяка сметка със салдо, сумата ѝ и редът, в който отива"));
    m_tblCells->setAccessibleDescription(
        QStringLiteral("Всяка сума, която импортът ще запише, с документа, реда и колоната"));
    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("tabPreview"));
    m_tabs->addTab(m_tblAccounts, QStringLiteral("Сме&тки"));
    m_tabs->addTab(m_tblCells, QStringLiteral("&Клетки"));
    connect(m_tabs, &QTabWidget::currentChanged, this, &frmImport::fitColumns);

    m_lblTotals = new QLabel;
    m_lblTotals->setObjectName(QStringLiteral("lblTotals"));
    m_lblTotals->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lblTotals->setWordWrap(true);
    m_lblRefusal = new QLabel;
    m_lblRefusal->setObjectName(QStringLiteral("lblRefusal"));
    m_lblRefusal->setWordWrap(true);
    m_lblRefusal->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPalette refusalColours = m_lblRefusal->palette();
    refusalColours.setColor(QPalette::WindowText, QColor(kUnplacedInk));
    m_lblRefusal->setPalette(refusalColours);

    m_cmdImport = new QPushButton(QStringLiteral("&Импорт"));
    m_cmdImport->setObjectName(QStringLiteral("cmdImport"));
    m_cmdImport->setDefault(true);
    m_cmdImport->setAccessibleDescription(
        QStringLiteral("Попълва и записва документите на отчетността и отваря баланса"));
    m_cmdEsc = new QPushButton(QStringLiteral("&Отказ"));
    m_cmdEsc->setObjectName(QStringLiteral("cmdEsc"));
    m_cmdImport->setMinimumWidth(digit * 14);
    m_cmdEsc->setMinimumWidth(digit * 14);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdImport);
    buttons->addStretch(1);
    buttons->addWidget(m_cmdEsc);

    auto* main = new QVBoxLayout(this);
    main->addLayout(fields);
    main->addWidget(m_tabs, 1);
    main->addWidget(m_lblTotals);
    main->addWidget(m_lblRefusal);
    main->addLayout(buttons);

    // The fields in the order they are filled, the file first.
    setTabOrder(m_txtTrialBalance, m_cmdBrowse);
    setTabOrder(m_cmdBrowse, m_txtBulstat);
    setTabOrder(m_txtBulstat, m_txtName);
    setTabOrder(m_txtName, m_cboMonth);
    setTabOrder(m_cboMonth, m_txtYear);
    setTabOrder(m_txtYear, m_txtAccounts);
    setTabOrder(m_txtAccounts, m_cmdBrowseMap);
    setTabOrder(m_cmdBrowseMap, m_tabs);
    setTabOrder(m_tabs, m_tblAccounts);
    setTabOrder(m_tblAccounts, m_tblCells);
    setTabOrder(m_tblCells, m_cmdImport);
    setTabOrder(m_cmdImport, m_cmdEsc);
    m_txtTrialBalance->setFocus();

    m_completion = new CompanyCompletion(m_txtBulstat, m_txtName, this);
    connect(m_txtBulstat, &QLineEdit::textChanged, this, &frmImport::bulstatChanged);
    connect(m_cmdBrowse, &QPushButton::clicked, this, &frmImport::cmdBrowse_Click);
    connect(m_cmdBrowseMap, &QPushButton::clicked, this, &frmImport::cmdBrowseMap_Click);
    connect(m_cmdImport, &QPushButton::clicked, this, &frmImport::cmdImport_Click);
    connect(m_cmdEsc, &QPushButton::clicked, this, &QDialog::reject);
}

void frmImport::setCompanies(std::vector<clsCompany> companies)
{
    m_completion->setCompanies(std::move(companies));
}

void frmImport::setChoices(const ImportChoices& choices)
{
    m_txtBulstat->setText(choices.bulstat);
    m_txtName->setText(choices.company);
    m_txtYear->setText(choices.year);
    if (const int month = m_cboMonth->findText(choices.month); month >= 0)
        m_cboMonth->setCurrentIndex(month);
}

void frmImport::bulstatChanged()
{
    // A company's own map comes with it, unless one was typed or chosen here.
    const QString bulstat = m_txtBulstat->text();
    if (!m_mapPrefilled || !CheckBulstat(bulstat))
        return;
    const QString remembered = RememberedAccountMap(bulstat);
    if (remembered == m_txtAccounts->text())
        return;
    m_txtAccounts->setText(remembered);
    m_mapPrefilled = true;
    replan();
}

void frmImport::cmdBrowse_Click()
{
    const QString current = m_txtTrialBalance->text().trimmed();
    const QString path = platform::fileDialogs().getOpenFileName(
        this, QStringLiteral("Оборотна ведомост"),
        {QStringLiteral("Оборотни ведомости (*.csv *.txt)"), QStringLiteral("Всички файлове (*)")},
        current.isEmpty() ? QDir::homePath() : QFileInfo(current).absolutePath());
    if (path.isEmpty())
        return;
    m_txtTrialBalance->setText(QDir::toNativeSeparators(path));
    replan();
    m_txtBulstat->setFocus();
}

void frmImport::cmdBrowseMap_Click()
{
    const QString current = m_txtAccounts->text().trimmed();
    const QString path = platform::fileDialogs().getOpenFileName(
        this, QStringLiteral("Сметкоплан на предприятието"),
        {QStringLiteral("Сметкопланове (*.txt)"), QStringLiteral("Всички файлове (*)")},
        current.isEmpty() ? QFileInfo(m_txtTrialBalance->text().trimmed()).absolutePath()
                          : QFileInfo(current).absolutePath());
    if (path.isEmpty())
        return;
    m_txtAccounts->setText(QDir::toNativeSeparators(path));
    m_mapPrefilled = false;
    replan();
}

void frmImport::replan()
{
    m_replan->stop();
    const QString trialBalance = m_txtTrialBalance->text().trimmed();
    m_plan = ImportPlan();
    if (!trialBalance.isEmpty()) {
        ImportSources sources;
        sources.programFolder = m_state.programFolder;
        sources.trialBalancePath = trialBalance;
        sources.ownMapPath = m_txtAccounts->text().trimmed();
        m_plan = PlanImport(sources);
    }
    showPlan();
}

void frmImport::cmdImport_Click()
{
    const NewDocumentChoices choices{m_cboMonth->currentText(), m_txtYear->text(),
                                     m_txtBulstat->text(), m_txtName->text(),
                                     DocTypeByCode(QStringLiteral("Bal"))};
    AppState checked;
    if (const std::optional<UserMessage> failure = TakeNewDocumentChoices(choices, checked))
        return platform::ShowMessage(this, *failure);
    // The files may have changed since the preview.
    replan();
    if (!m_cmdImport->isEnabled())
        return;
    const std::size_t unplaced = m_plan.amounts.unplaced.size();
    if (unplaced > 0
        && platform::AskYesNo(
               this, QStringLiteral("TELM - Внимание!"),
               (unplaced == 1
                    ? QStringLiteral("1 сметка със салдо няма място в сметкоплана. Останалите ще "
                                     "бъдат импортирани, а тя ще бъде посочена в констатациите.")
                    : QStringLiteral("%1 сметки със салдо нямат място в сметкоплана. Останалите "
                                     "ще бъдат импортирани, а тези ще бъдат изброени в "
                                     "констатациите.")
                          .arg(unplaced))
                   + QStringLiteral("\n\nДа бъде ли направен импортът?"))
               != platform::MsgAnswer::Yes)
        return;

    // Field by field: the request may grow.
    ImportFilingRequest request;
    request.bulstat = checked.company.Bulstat;
    request.company = checked.company.Name;
    request.year = choices.year;
    request.month = checked.period.sQuarter;
    request.programFolder = m_state.programFolder;
    request.dataFolder = m_state.dataFolderPath();
    request.force = unplaced > 0;
    m_result = ImportFiling(m_plan, request);
    if (m_result.status != ImportFilingResult::Status::Saved) {
        platform::ShowMessage(
            this, QStringLiteral("TELM - Грешка"),
            QStringLiteral("Импортът не е направен, нищо не е записано.\n\n%1").arg(m_result.error),
            platform::MsgIcon::Critical);
        return;
    }
    RememberAccountMap(checked.company.Bulstat, m_txtAccounts->text().trimmed());
    accept();
}

} // namespace telm
