#include "selection/frmChooseFile.h"

#include "selection/Catalogue.h"
#include "selection/DocumentContext.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "xmlfiles/XmlAccess.h"
#include "selection/YearText.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace telm {

using platform::MsgIcon;
using platform::ShowMessage;

frmChooseFile::frmChooseFile(AppState& state, DocumentOpener opener, QWidget* parent)
    : QDialog(parent), m_state(state), m_opener(std::move(opener))
{
    setObjectName(QStringLiteral("frmChooseFile"));
    setWindowTitle(QStringLiteral("Корекция на документ "));
    setProperty("helpTopic", 2080);
    setModal(true);
    buildControls();
}

void frmChooseFile::buildControls()
{
    m_frChooseFile = new QGroupBox(QStringLiteral("Избор на файл:"), this);
    m_frChooseFile->setObjectName(QStringLiteral("frChooseFile"));
    m_txtFileName = new QLineEdit(m_frChooseFile);
    m_txtFileName->setObjectName(QStringLiteral("txtFileName"));
    m_cmdChooseFile = new QPushButton(QStringLiteral("..."), m_frChooseFile);
    m_cmdChooseFile->setObjectName(QStringLiteral("cmdChooseFile"));
    m_cmdChooseFile->setAutoDefault(false);

    const int digit = fontMetrics().horizontalAdvance(u'0');
    m_txtFileName->setMinimumWidth(digit * 56);
    m_cmdChooseFile->setFixedWidth(digit * 5);

    auto* pathRow = new QHBoxLayout(m_frChooseFile);
    pathRow->addWidget(m_txtFileName, 1);
    pathRow->addWidget(m_cmdChooseFile);

    m_cmdOpen = new QPushButton(QStringLiteral("Отвори файл"), this);
    m_cmdOpen->setObjectName(QStringLiteral("cmdOpen"));
    m_cmdOpen->setDefault(true);
    m_cmdCancel = new QPushButton(QStringLiteral("Отказ"), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdOpen->setMinimumWidth(digit * 16);
    m_cmdCancel->setMinimumWidth(digit * 16);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdOpen);
    buttons->addWidget(m_cmdCancel);

    auto* main = new QVBoxLayout(this);
    main->addWidget(m_frChooseFile);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_cmdOpen, m_cmdCancel);
    setTabOrder(m_cmdCancel, m_txtFileName);
    setTabOrder(m_txtFileName, m_cmdChooseFile);
    m_cmdOpen->setFocus();

    connect(m_cmdChooseFile, &QPushButton::clicked, this, &frmChooseFile::cmdChooseFile_Click);
    connect(m_cmdOpen, &QPushButton::clicked, this, &frmChooseFile::cmdOpen_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmChooseFile::cmdCancel_Click);
}

void frmChooseFile::cmdChooseFile_Click()
{
    const QString chosen = platform::fileDialogs().getOpenFileName(
        this, QStringLiteral("Избор на файл"), platform::XmlFileFilters());
    if (!chosen.isEmpty())
        m_txtFileName->setText(chosen);
}

void frmChooseFile::cmdOpen_Click()
{
    if (m_txtFileName->text().isEmpty()) {
        ShowMessage(this, QStringLiteral("TELM - Внимание!"), QStringLiteral("Изберете файл!"),
                    MsgIcon::Critical);
        return;
    }
    m_state.openedDataFilePath = m_txtFileName->text().trimmed();
    if (m_state.openedDataFilePath.isEmpty())
        m_state.xml.clear();   // what a failed load leaves, without asking the file system
    else
        m_state.xml.load(m_state.openedDataFilePath);

    const pugi::xml_node header = SelectSingleNode(m_state.xml.doc(), QStringLiteral("xml/danni"));
    m_state.docType.Name = GetChildText(header, QStringLiteral("document"));
    if (m_state.docType.Name.isEmpty()) {
        ShowMessage(this, QStringLiteral("Внимание!"), QStringLiteral("Изберете валиден XML файл!"),
                    MsgIcon::Critical);
        return;
    }

    // A period the program would not have written is refused before the
    // company and period of the context are touched.
    const std::optional<PeriodText> period =
        PeriodFromText(GetChildText(header, QStringLiteral("period")));
    if (!period) {
        ShowMessage(this, QStringLiteral("Внимание!"),
                    QStringLiteral("Периодът във файла е невалиден!"), MsgIcon::Critical);
        return;
    }
    m_state.company.Name = GetChildText(header, QStringLiteral("compname"));
    m_state.period.sQuarter = period->month;
    m_state.period.iYear = period->year;

    const DocType* type = DocTypeByTitle(m_state.docType.Name);
    if (!type)
        return;

    OpenDocumentRequest request{type, 1, 0, true};
    switch (type->variant) {
    case VariantFlag::BalanceLiquid:
    case VariantFlag::BalanceLiquid2:
        m_state.balanceLiquidVariant = type->variant == VariantFlag::BalanceLiquid2;
        request.sumVisible = m_state.balanceLiquidVariant;
        break;
    case VariantFlag::IncomeLiquid:
    case VariantFlag::IncomeLiquid2:
        m_state.incomeLiquidVariant = type->variant == VariantFlag::IncomeLiquid2;
        break;
    case VariantFlag::None:
        break;
    }

    if (m_opener)
        m_opener(this, request);
}

void frmChooseFile::cmdCancel_Click()
{
    reject();
}

} // namespace telm
