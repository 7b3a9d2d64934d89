#include "selection/frmChoosePrm.h"

#include "platform/MessageBoxes.h"
#include "selection/Catalogue.h"
#include "selection/CompanyCompletion.h"
#include "selection/DocumentContext.h"
#include "selection/NewDocumentChecks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace telm {

using platform::ShowMessage;

namespace {

QLabel* fieldLabel(const QString& name, const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setBuddy(buddy);
    return label;
}

} // namespace

frmChoosePrm::frmChoosePrm(AppState& state, DocumentOpener opener, QWidget* parent)
    : QDialog(parent), m_state(state), m_opener(std::move(opener))
{
    setObjectName(QStringLiteral("frmChoosePrm"));
    setWindowTitle(QStringLiteral("Параметри за документа"));
    setProperty("helpTopic", 2005);
    setModal(true);
    buildControls();
    Form_Load();
}

void frmChoosePrm::buildControls()
{
    m_frame = new QFrame(this);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_frame->setFrameShape(QFrame::StyledPanel);
    m_frame->setFrameShadow(QFrame::Sunken);

    m_cboMonth = new QComboBox(m_frame);
    m_cboMonth->setObjectName(QStringLiteral("cboMonth"));
    m_txtYear = new QLineEdit(m_frame);
    m_txtYear->setObjectName(QStringLiteral("txtYear"));
    m_txtBulstat = new QLineEdit(m_frame);
    m_txtBulstat->setObjectName(QStringLiteral("txtBulstat"));
    m_txtName = new QLineEdit(m_frame);
    m_txtName->setObjectName(QStringLiteral("txtName"));
    m_cboDocument = new QComboBox(m_frame);
    m_cboDocument->setObjectName(QStringLiteral("cboDocument"));

    // Narrow fields for the short values, wide ones for the name and the title.
    const int digit = fontMetrics().horizontalAdvance(u'0');
    m_cboMonth->setMinimumWidth(digit * 8);
    m_txtYear->setFixedWidth(digit * 9);
    m_txtBulstat->setFixedWidth(digit * 16);
    m_txtName->setMinimumWidth(digit * 48);
    m_cboDocument->setMinimumWidth(digit * 48);

    auto* grid = new QGridLayout(m_frame);
    grid->setHorizontalSpacing(12);
    grid->setColumnStretch(2, 1);
    const struct
    {
        const char* name;
        QString text;
        QWidget* field;
        bool wide;
    } rows[] = {
        {"lblMonth", QStringLiteral("Месец"), m_cboMonth, false},
        {"lblYear", QStringLiteral("Година"), m_txtYear, false},
        {"lblBulstat", QStringLiteral("Булстат"), m_txtBulstat, false},
        {"lblName", QStringLiteral("Име"), m_txtName, true},
        {"lblDocument", QStringLiteral("Документ"), m_cboDocument, true},
    };
    int row = 0;
    for (const auto& entry : rows) {
        grid->addWidget(
            fieldLabel(QString::fromLatin1(entry.name), entry.text, entry.field, m_frame), row, 0);
        if (entry.wide)
            grid->addWidget(entry.field, row, 1, 1, 2);
        else
            grid->addWidget(entry.field, row, 1, Qt::AlignLeft);
        ++row;
    }

    // A list is named by its label where the platform lets it (on Linux Qt
    // names a list by its current entry and links the label as a relation),
    // and says what it is for in its description either way.
    m_cboMonth->setAccessibleName(QStringLiteral("Месец"));
    m_cboMonth->setAccessibleDescription(QStringLiteral("Месец на периода: 3, 6, 9 или 12"));
    m_cboDocument->setAccessibleName(QStringLiteral("Документ"));
    m_cboDocument->setAccessibleDescription(QStringLiteral("Вид на документа"));

    m_cmdOk = new QPushButton(QStringLiteral("&Избор"), this);
    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    m_cmdOk->setDefault(true);
    m_checkPrognosis = new QCheckBox(QStringLiteral("Прогнозен документ"), this);
    m_checkPrognosis->setObjectName(QStringLiteral("CheckPrognosis"));
    m_checkPrognosis->setAccessibleDescription(
        QStringLiteral("Документът е прогнозен, а не отчетен"));
    m_cmdEsc = new QPushButton(QStringLiteral("&Отказ"), this);
    m_cmdEsc->setObjectName(QStringLiteral("cmdEsc"));
    m_cmdOk->setMinimumWidth(digit * 14);
    m_cmdEsc->setMinimumWidth(digit * 14);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdOk);
    buttons->addStretch(1);
    buttons->addWidget(m_checkPrognosis);
    buttons->addStretch(1);
    buttons->addWidget(m_cmdEsc);

    auto* main = new QVBoxLayout(this);
    main->addWidget(m_frame);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);

    // The fields in the order they are filled, the first one taking the
    // focus; Enter anywhere is "&Избор".
    setTabOrder(m_cboMonth, m_txtYear);
    setTabOrder(m_txtYear, m_txtBulstat);
    setTabOrder(m_txtBulstat, m_txtName);
    setTabOrder(m_txtName, m_cboDocument);
    setTabOrder(m_cboDocument, m_checkPrognosis);
    setTabOrder(m_checkPrognosis, m_cmdOk);
    setTabOrder(m_cmdOk, m_cmdEsc);
    m_cboMonth->setFocus();

    // Known companies: by BULSTAT from its first digits, by any part of the name.
    m_completion = new CompanyCompletion(m_txtBulstat, m_txtName, this);

    connect(m_checkPrognosis, &QCheckBox::clicked, this, &frmChoosePrm::CheckPrognosis_Click);
    connect(m_cmdOk, &QPushButton::clicked, this, &frmChoosePrm::cmdOk_Click);
    connect(m_cmdEsc, &QPushButton::clicked, this, &frmChoosePrm::cmdEsc_Click);
}

void frmChoosePrm::Form_Load()
{
    m_checkPrognosis->setChecked(false);
    m_state.hfGrid.Prognosis = false;
    GetQuarters();
    GetDocuments();
}

void frmChoosePrm::GetQuarters()
{
    m_cboMonth->clear();
    m_cboMonth->addItems(PeriodMonths());
    m_cboMonth->setCurrentIndex(0);
}

void frmChoosePrm::GetDocuments()
{
    m_cboDocument->clear();
    for (const DocType& type : Catalogue())
        m_cboDocument->addItem(type.titleText());
    m_cboDocument->setCurrentIndex(0);
}

void frmChoosePrm::setCompanies(std::vector<clsCompany> companies)
{
    m_completion->setCompanies(std::move(companies));
}

const std::vector<clsCompany>& frmChoosePrm::companies() const
{
    return m_completion->companies();
}

void frmChoosePrm::rememberCompany()
{
    // Once its document has been saved the company is offered with the others.
    if (QFileInfo::exists(m_state.openedDataFilePath))
        m_completion->addCompany(clsCompany{m_state.company.Name, m_state.company.Bulstat});
}

void frmChoosePrm::CheckPrognosis_Click()
{
    m_state.hfGrid.Prognosis = m_checkPrognosis->isChecked();
}

void frmChoosePrm::cmdOk_Click()
{
    const NewDocumentChoices choices{m_cboMonth->currentText(), m_txtYear->text(),
                                     m_txtBulstat->text(), m_txtName->text(),
                                     DocTypeAt(m_cboDocument->currentIndex())};
    if (const std::optional<UserMessage> failure = TakeNewDocumentChoices(choices, m_state))
        return ShowMessage(this, *failure);

    const DocType& type = *choices.type;
    m_documentCode = type.codeFor(m_state.hfGrid.Prognosis);

    const Opening opening = OpenFromChoices(m_state, type, m_state.hfGrid.Prognosis);
    if (opening.message)
        ShowMessage(this, *opening.message);
    if (opening.document && m_opener) {
        m_opener(this, *opening.document);
        rememberCompany();
    }
}

void frmChoosePrm::cmdEsc_Click()
{
    reject();
}

} // namespace telm
