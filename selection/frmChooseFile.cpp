#include "selection/frmChooseFile.h"

#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "selection/DocumentContext.h"

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
    // The frame's caption names the field on screen; a screen reader is told too.
    m_txtFileName->setAccessibleName(QStringLiteral("Файл с данни"));
    m_txtFileName->setAccessibleDescription(QStringLiteral("Пътят до файла с данни"));
    m_cmdChooseFile->setAccessibleName(QStringLiteral("Избор на файл"));
    m_cmdChooseFile->setAccessibleDescription(
        QStringLiteral("Отваря прозорец за избор на файла с данни"));

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

    // The path first: typed, or chosen with "..." beside it; Enter opens it.
    setTabOrder(m_txtFileName, m_cmdChooseFile);
    setTabOrder(m_cmdChooseFile, m_cmdOpen);
    setTabOrder(m_cmdOpen, m_cmdCancel);
    m_txtFileName->setFocus();

    connect(m_cmdChooseFile, &QPushButton::clicked, this, &frmChooseFile::cmdChooseFile_Click);
    connect(m_cmdOpen, &QPushButton::clicked, this, &frmChooseFile::cmdOpen_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmChooseFile::cmdCancel_Click);
}

void frmChooseFile::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The default button would take the focus when the dialog is shown.
    m_txtFileName->setFocus();
}

void frmChooseFile::cmdChooseFile_Click()
{
    const QString chosen = platform::fileDialogs().getOpenFileName(
        this, QStringLiteral("Избор на файл"), platform::XmlFileFilters(),
        m_state.dataFolderPath());
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
    const Opening opening = OpenFromDataFile(m_state, m_txtFileName->text());
    if (opening.message)
        ShowMessage(this, *opening.message);
    if (opening.document && m_opener)
        m_opener(this, *opening.document);
}

void frmChooseFile::cmdCancel_Click()
{
    reject();
}

} // namespace telm
