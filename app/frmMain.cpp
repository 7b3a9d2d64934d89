#include "app/frmMain.h"

#include "app/DeskPanel.h"
#include "platform/HelpTopics.h"
#include "platform/HelpViewer.h"
#include "platform/ScreenFit.h"
#include "selection/DocumentContext.h"

#include <QAction>
#include <QDateTime>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

namespace telm {

namespace {

QLabel* addPanel(QStatusBar* bar, const char* name, bool permanent)
{
    auto* panel = new QLabel;
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setContentsMargins(6, 0, 6, 0);
    if (permanent)
        bar->addPermanentWidget(panel);
    else
        bar->addWidget(panel, 1);
    return panel;
}

// A quiet backdrop for the empty main window: the program's name in the corner.
class Backdrop : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        QLinearGradient fill(0, 0, 0, height());
        fill.setColorAt(0.0, QColor(0xe9, 0xef, 0xf6));
        fill.setColorAt(1.0, QColor(0xc9, 0xd6, 0xe6));
        p.fillRect(rect(), fill);
        p.setPen(QColor(0x1f, 0x4e, 0x8c, 150));
        QFont font = p.font();
        font.setPixelSize(34);
        font.setBold(true);
        p.setFont(font);
        const QRect band = rect().adjusted(24, 0, -28, -24);
        p.drawText(band.adjusted(0, 0, 0, -24), Qt::AlignRight | Qt::AlignBottom,
                   QStringLiteral("TELM Transfer"));
        font.setPixelSize(16);
        font.setBold(false);
        p.setFont(font);
        p.drawText(band, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("Трансфер на данни"));
    }
};

} // namespace

frmMain::frmMain(AppState& state, QWidget* parent) : QMainWindow(parent), m_state(state)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("TELM Transfer - ПП \"Трансфер на данни\""));
    setProperty(platform::kHelpTopicProperty, kHelpTopic);
    // The desk, with the program's backdrop while the data folder is empty.
    m_desk = new DeskPanel(state.dataFolderPath(), state.programFolder, new Backdrop);
    setCentralWidget(m_desk);

    QMenuBar* bar = menuBar();
    m_mnuRegisters = bar->addMenu(QStringLiteral("Регистри"));
    m_mnuRegisters->setObjectName(QStringLiteral("mnuRegisters"));
    m_mnuRegisters->menuAction()->setObjectName(QStringLiteral("mnuRegisters"));
    m_mnuRegisters->menuAction()->setProperty(platform::kHelpTopicProperty, 2000);
    m_mnuRegisters->setProperty(platform::kHelpTopicProperty, 2000);

    m_mnuRegisters_Documents = addMenuAction(m_mnuRegisters, "mnuRegisters_Documents",
                                             QStringLiteral("Въвеждане на документи"), 2005);
    m_mnuDocument_Correct = addMenuAction(m_mnuRegisters, "mnuDocument_Correct",
                                          QStringLiteral("Корекция на документ"), 2080);
    m_mnuRegisters_Import = addMenuAction(m_mnuRegisters, "mnuRegisters_Import",
                                          QStringLiteral("Импорт от оборотна ведомост..."), 2110);
    m_mnuRegisters_Import->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    m_mnuSaveToDisc = addMenuAction(m_mnuRegisters, "mnuSaveToDisc",
                                    QStringLiteral("Съхранение на данни на дискета"), 2085);
    m_mnuHelp = addMenuAction(nullptr, "mnuHelp", QStringLiteral("Помощ"), 3000);
    m_mnuExit = addMenuAction(nullptr, "mnuExit", QStringLiteral("Изход"), 4000);

    connect(m_mnuRegisters_Documents, &QAction::triggered, this,
            &frmMain::mnuRegisters_Documents_Click);
    connect(m_mnuDocument_Correct, &QAction::triggered, this, &frmMain::mnuDocument_Correct_Click);
    connect(m_mnuRegisters_Import, &QAction::triggered, this, &frmMain::mnuRegisters_Import_Click);
    connect(m_mnuSaveToDisc, &QAction::triggered, this, &frmMain::mnuSaveToDisc_Click);
    connect(m_mnuHelp, &QAction::triggered, this, &frmMain::mnuHelp_Click);
    connect(m_mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    for (QAction* item :
         {m_mnuRegisters_Documents, m_mnuDocument_Correct, m_mnuRegisters_Import, m_mnuSaveToDisc})
        item->setEnabled(false);

    QStatusBar* status = new QStatusBar;
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setSizeGripEnabled(true);
    setStatusBar(status);
    m_pnlText = addPanel(status, "pnlText", false);
    m_pnlText->setText(QStringLiteral("TELM Transfer - Трансфер на данни"));
    m_pnlDate = addPanel(status, "pnlDate", true);
    m_pnlTime = addPanel(status, "pnlTime", true);
    status->setAccessibleName(QStringLiteral("Лента на състоянието"));
    m_pnlDate->setAccessibleDescription(QStringLiteral("Дата"));
    m_pnlTime->setAccessibleDescription(QStringLiteral("Час"));

    m_tmrClock = new QTimer(this);
    m_tmrClock->setObjectName(QStringLiteral("tmrClock"));
    m_tmrClock->setInterval(1000);
    connect(m_tmrClock, &QTimer::timeout, this, &frmMain::tmrClock_Timer);
    m_tmrClock->start();
    tmrClock_Timer();

    // Never larger than the screen, whatever its size and scale: the menu
    // must stay on it.
    resize(platform::FitToScreen(this, QSize(1100, 640)));
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

QAction* frmMain::addMenuAction(QMenu* menu, const char* name, const QString& caption, int topic)
{
    QAction* item = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    item->setProperty(platform::kHelpTopicProperty, topic);
    return item;
}

void frmMain::setDialog(QAction* item, DialogFunction& slot, DialogFunction show)
{
    slot = std::move(show);
    item->setEnabled(static_cast<bool>(slot));
}

void frmMain::setNewDocumentDialog(DialogFunction show)
{
    setDialog(m_mnuRegisters_Documents, m_newDocument, std::move(show));
}

void frmMain::setOpenDocumentDialog(DialogFunction show)
{
    setDialog(m_mnuDocument_Correct, m_openDocument, std::move(show));
}

void frmMain::setExportDialog(DialogFunction show)
{
    setDialog(m_mnuSaveToDisc, m_export, std::move(show));
}

void frmMain::setImportDialog(DialogFunction show)
{
    setDialog(m_mnuRegisters_Import, m_import, std::move(show));
}

void frmMain::setDeskActions(DeskActions actions)
{
    m_desk->setActions(std::move(actions));
}

void frmMain::refreshClock(const QDateTime& now)
{
    m_pnlDate->setText(now.toString(QStringLiteral("dd.MM.yyyy")));
    m_pnlTime->setText(now.toString(QStringLiteral("HH:mm:ss")));
}

void frmMain::tmrClock_Timer()
{
    refreshClock(QDateTime::currentDateTime());
}

void frmMain::mnuRegisters_Documents_Click()
{
    if (m_newDocument)
        m_newDocument(this);
}

void frmMain::mnuDocument_Correct_Click()
{
    if (m_openDocument)
        m_openDocument(this);
}

void frmMain::mnuRegisters_Import_Click()
{
    if (m_import)
        m_import(this);
}

void frmMain::mnuSaveToDisc_Click()
{
    if (m_export)
        m_export(this);
}

void frmMain::mnuHelp_Click()
{
    platform::OpenHelp(this, m_state.helpFilePath, platform::kHelpContents);
}

void frmMain::mnuExit_Click()
{
    close();
}

} // namespace telm
