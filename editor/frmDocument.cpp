#include "editor/frmDocument.h"

#include "editor/AmountText.h"
#include "editor/Comparatives.h"
#include "editor/EntryRoad.h"
#include "editor/FindingsPanel.h"
#include "editor/FormLayout.h"
#include "editor/PaperSheetOf.h"
#include "grid/GridWidget.h"
#include "platform/MessageBoxes.h"
#include "platform/ScreenFit.h"
#include "print/PrintOnPrinter.h"
#include "selection/DocumentContext.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace telm {

using platform::MsgAnswer;

namespace {

QColor colourOf(const std::optional<QRgb>& rgb)
{
    return rgb ? QColor::fromRgb(*rgb) : QColor();
}

// Design measures, in twips.
constexpr int kFieldLeft = 1440;
constexpr int kFieldTops[] = {120, 540, 960};
constexpr int kFieldHeight = 330;
constexpr int kGridTop = 1560;
constexpr int kFrameHeight = 720;
constexpr int kButtonWidth = 1335;
constexpr int kButtonHeight = 435;
constexpr int kMinWidth = 9945;
constexpr int kMinHeight = 5325;

} // namespace

frmDocument::frmDocument(AppState& state, const OpenedDocument& document, QWidget* parent)
    : QDialog(parent), m_engine(state, document)
{
    const FormProfile& profile = m_engine.profile();
    setObjectName(QString::fromLatin1(profile.name));
    setWindowTitle(QString::fromUtf16(profile.caption));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setWindowFlag(Qt::WindowMinimizeButtonHint);
    setModal(true);
    setProperty("helpTopic", m_engine.docType().helpTopic);

    auto field = [this](QLabel*& label, QLineEdit*& edit, const char* labelName,
                        const char* editName, const QString& caption) {
        label = new QLabel(caption, this);
        label->setObjectName(QString::fromLatin1(labelName));
        edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(editName));
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        label->setBuddy(edit);
    };
    field(m_lblPeriod, m_txtPeriod, "lblPeriod", "txtPeriod", QStringLiteral("Период:"));
    field(m_lblCompany, m_txtCompName, "lblCompany", "txtCompName", QStringLiteral("Предприятие:"));
    field(m_lblBulstat, m_txtBulstat, "lblBulstat", "txtBulstat", QStringLiteral("Булстат:"));
    // A forecast is never to be mistaken for the real statement.
    m_lblForecast = new QLabel(QStringLiteral("Прогнозен документ"), this);
    m_lblForecast->setObjectName(QStringLiteral("lblForecast"));
    QFont forecastFont = m_lblForecast->font();
    forecastFont.setBold(true);
    forecastFont.setPointSize(forecastFont.pointSize() + 2);
    m_lblForecast->setFont(forecastFont);
    m_lblForecast->setStyleSheet(QStringLiteral("color: #b00000;"));
    m_lblForecast->hide();

    m_grid = new GridWidget(this);
    m_grid->setObjectName(QStringLiteral("hgrdDocEnter"));
    m_grid->setModel(&m_engine.grid());
    m_grid->setAccessibleName(QStringLiteral("Таблица на документа"));
    m_grid->setAccessibleDescription(
        QStringLiteral("Стрелките местят курсора; цифра или F2 отваря клетката за въвеждане, "
                       "Enter записва сумата и слиза на следващия ред, Esc отказва"));
    m_grid->setCellEditable([this](int row, int col) { return m_engine.canEdit(row, col); });
    m_grid->setCellAmount([this](int row, int col) -> std::optional<double> {
        const GridModel& grid = m_engine.grid();
        return grid.isFigureColumn(col) ? ReadAmount(grid.TextMatrix(row, col)) : std::nullopt;
    });

    m_txtEdit = new QLineEdit(this);
    m_txtEdit->setObjectName(QStringLiteral("txtEdit"));
    m_txtEdit->setFrame(false);
    m_txtEdit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_txtEdit->hide();
    m_txtEdit->installEventFilter(this);
    connect(m_txtEdit, &QLineEdit::textChanged, this, [this] { txtEdit_Change(); });

    m_frmCommands = new QFrame(this);
    m_frmCommands->setObjectName(QStringLiteral("frmCommands"));
    m_frmCommands->setFrameShape(QFrame::StyledPanel);
    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, m_frmCommands);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        b->setDefault(false);
        return b;
    };
    m_cmdPrint = button("cmdPrint", QStringLiteral("&Печат"));
    m_cmdPrint->setAccessibleDescription(QStringLiteral("Отпечатва документа"));
    connect(m_cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    m_cmdSave = button("cmdSave", QStringLiteral("&Запис"));
    m_cmdClose = button(profile.closeButtonName, QStringLiteral("&Изход"));
    m_cmdSave->setAccessibleDescription(QStringLiteral("Записва документа във файла с данни"));
    m_cmdClose->setAccessibleDescription(
        QStringLiteral("Затваря документа; за незаписаните промени първо пита"));
    connect(m_cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(m_cmdClose, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    if (m_engine.hasSumButton()) {
        // Every button has its Alt key, also where the caption was written without one.
        QString sumCaption = QString::fromUtf16(profile.sum.caption);
        if (!sumCaption.contains(u'&'))
            sumCaption.prepend(u'&');
        m_cmdSum = button("cmdSum", sumCaption);
        m_cmdSum->setVisible(m_engine.sumButtonShown());
        m_cmdSum->setAccessibleDescription(
            QStringLiteral("Изчислява резултатните редове на документа по условията"));
        connect(m_cmdSum, &QPushButton::clicked, this, [this] { cmdSum_Click(); });
    }
    if (CarriesFromLastYear(profile)) {
        m_cmdComparatives =
            button("cmdComparatives", QStringLiteral("&Обнови сравнителните данни"));
        m_cmdComparatives->setAccessibleDescription(
            QStringLiteral("Взема отново сравнителните данни от файла с данни за предходната "
                           "година"));
        connect(m_cmdComparatives, &QPushButton::clicked, this,
                [this] { cmdComparatives_Click(); });
    }

    buildFindings();

    GridWidget::Events& events = m_grid->events();
    events.keyPress = [this](int& keyAscii) { hgrdDocEnter_KeyPress(keyAscii); };
    events.keyDown = [this](int key, Qt::KeyboardModifiers mods, bool& handled) {
        hgrdDocEnter_KeyDown(key, mods, handled);
    };
    events.doubleClick = [this] { hgrdDocEnter_DblClick(); };
    events.gotFocus = [this] { hgrdDocEnter_GotFocus(); };
    events.scroll = [this] { hgrdDocEnter_Scroll(); };
    events.collapse = [this](int, bool& cancel) { hgrdDocEnter_CollapseExpand(cancel); };
    events.expand = [this](int, bool& cancel) { hgrdDocEnter_CollapseExpand(cancel); };
    m_cellListener = m_engine.grid().addListener({
        .leaveCell = [this] { hgrdDocEnter_LeaveCell(); },
        .enterCell = [this] { hgrdDocEnter_EnterCell(); },
        .cellChanged =
            [this](const CellChange& change) {
                if (change.isEdit())
                    edited();
            },
    });
    m_grid->setComputedCells([this](int row, int col) {
        return m_loaded && m_engine.computed(row, col) != DocumentEngine::Computed::No;
    });
    addShortcuts();

    // The design's least size, where the screen has room for it.
    setMinimumSize(platform::FitToScreen(this, QSize(px(kMinWidth), px(kMinHeight))));
    // Opens maximised. Restored, it keeps nine tenths of the screen, so that its
    // frame and its buttons stay on the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        const QSize size = (available.size() * 9 / 10).expandedTo(minimumSize());
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available));
    }
    // The editor box hands the focus back to the grid when it goes, never to the
    // next button (a screen reader would announce the button on every entry).
    setTabOrder(m_txtEdit, m_grid);
    setTabOrder(m_grid, m_cmdSave);
    setTabOrder(m_cmdSave, m_cmdClose);
    setWindowState(Qt::WindowMaximized);
}

frmDocument::~frmDocument()
{
    // The grid widget is a child and outlives the engine's model: unhook it first.
    m_grid->setModel(nullptr);
    m_engine.grid().removeListener(m_cellListener);
}

int frmDocument::px(int twips) const
{
    return static_cast<int>(std::lround(twips * logicalDpiX() / 1440.0));
}

int frmDocument::twips(int pixels) const
{
    return static_cast<int>(std::lround(pixels * 1440.0 / logicalDpiX()));
}

void frmDocument::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        // The load runs once the window is on screen, as an activation would.
        QTimer::singleShot(0, this, [this] { Form_Activate(); });
    }
}

void frmDocument::Form_Activate()
{
    m_grid->hide();
    m_txtEdit->hide();
    m_returnPending = false;
    if (const std::optional<UserMessage> failure = m_engine.load()) {
        platform::ShowMessage(this, *failure);
        m_closeWithoutQuestion = true;
        close();
        return;
    }
    ApplyLoadLayout(m_engine.profile(), m_engine.maxLevel(), m_engine.grid(),
                    twips(m_grid->width()));
    if (m_engine.typedComparatives())
        MarkTypedComparatives(m_engine.profile(), m_engine.grid());
    m_txtPeriod->setText(m_engine.header().period);
    m_txtCompName->setText(m_engine.header().company);
    m_txtBulstat->setText(m_engine.header().bulstat);
    m_lblForecast->setVisible(m_engine.header().forecast);
    m_loaded = true;
    updateTitle();
    // The cursor starts where the first amount is typed, not on a title.
    if (const std::optional<GridCell> start = FirstEntryCell(m_engine))
        m_engine.grid().setCurrentCell(start->row, start->col);
    m_editRow = m_engine.grid().Row();
    m_editCol = m_engine.grid().Col();
    markNameCell(m_editRow, currentRowColor(), colourOf(marks().enteredText));
    m_grid->show();
    Form_Resize();
    m_grid->ensureCellVisible(m_editRow, m_editCol);
    if (m_startAt)
        goToRow(*m_startAt);
    if (m_checkOnOpen) {
        // A note the controls find too (the sides that differ) is listed once, with its rows.
        std::vector<Finding> checked = m_engine.check();
        QStringList notes = *m_checkOnOpen;
        for (const Finding& finding : checked)
            notes.removeAll(finding.text);
        std::vector<Finding> findings = TextFindings(notes);
        for (Finding& finding : checked)
            findings.push_back(std::move(finding));
        if (!findings.empty())
            showFindings(std::move(findings));
    }
    if (const std::optional<UserMessage>& notice = m_engine.comparativesNotice())
        platform::ShowMessage(this, *notice);
}

void frmDocument::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmDocument::Form_Resize()
{
    if (isMinimized())
        return;
    const int w = width();
    const int h = height();
    QLabel* labels[] = {m_lblPeriod, m_lblCompany, m_lblBulstat};
    QLineEdit* fields[] = {m_txtPeriod, m_txtCompName, m_txtBulstat};
    int labelWidth = 0;
    for (QLabel* label : labels)
        labelWidth = std::max(labelWidth, label->sizeHint().width());
    // The fields start at their design position unless the labels need more room.
    const int fieldLeft = std::max(px(kFieldLeft), px(120) + labelWidth + px(90));
    const int fieldWidth = std::max(px(3000), std::min(px(7000), w - fieldLeft - px(240)));
    for (int i = 0; i < 3; ++i) {
        labels[i]->setGeometry(px(120), px(kFieldTops[i]), labelWidth, px(kFieldHeight));
        fields[i]->setGeometry(fieldLeft, px(kFieldTops[i]), fieldWidth, px(kFieldHeight));
    }
    m_lblForecast->setGeometry(fieldLeft + fieldWidth + px(240), px(kFieldTops[0]),
                               std::max(0, w - fieldLeft - fieldWidth - px(360)), px(kFieldHeight));
    const int gridTop = px(kGridTop);
    const int frameHeight = px(kFrameHeight);
    const int statusHeight = m_statusBar->sizeHint().height();
    // The findings, when shown, take a third of the room under the fields;
    // none found, one line says so.
    const int room = std::max(0, h - gridTop - frameHeight - statusHeight);
    int findingsHeight = 0;
    if (m_findings->isVisibleTo(this))
        findingsHeight = m_findings->hasFindings()
                             ? std::clamp(room / 3, std::min(room, px(1400)), px(3600))
                             : std::min(room, m_findings->sizeHint().height());
    m_grid->setGeometry(0, gridTop, w, room - findingsHeight);
    m_findings->setGeometry(0, gridTop + room - findingsHeight, w, findingsHeight);
    m_frmCommands->setGeometry(0, h - frameHeight - statusHeight, w, frameHeight);
    m_statusBar->setGeometry(0, h - statusHeight, w, statusHeight);

    const int bw = px(kButtonWidth);
    const int bh = px(kButtonHeight);
    const int by = (frameHeight - bh) / 2;
    const int frameWidth = m_frmCommands->width();
    m_cmdClose->setGeometry(static_cast<int>(frameWidth - 1.1 * bw), by, bw, bh);
    m_cmdSave->setGeometry(static_cast<int>(frameWidth - 2.2 * bw), by, bw, bh);
    m_cmdPrint->setGeometry(static_cast<int>(m_cmdSave->x() - 1.2 * bw), by, bw, bh);
    m_cmdCheck->setGeometry(static_cast<int>(m_cmdPrint->x() - 1.2 * bw), by, bw, bh);
    if (m_cmdSum)
        m_cmdSum->setGeometry(px(240), by, px(1575), bh);
    if (m_cmdComparatives) {
        // On a narrow screen it gives way to the buttons on the right.
        const int left = px(m_cmdSum ? 1935 : 240);
        m_cmdComparatives->setGeometry(
            left, by, std::max(0, std::min(px(3400), m_cmdCheck->x() - px(120) - left)), bh);
    }

    if (m_loaded) {
        ApplyResizeWidths(m_engine.profile(), m_engine.grid(), twips(m_grid->viewport()->width()));
        if ((isActiveWindow() || !m_txtEdit->isVisible()) && !m_txtFind->hasFocus())
            m_grid->setFocus();
    }
}

void frmDocument::cmdSave_Click()
{
    if (!m_loaded || !txtEdit_LostFocus())
        return;
    // The cursor stays where the user was working. The balance check's warning
    // is among the findings after the save: a document that was written is
    // said to be so before what is to mend.
    m_engine.prepareSave();
    if (const std::optional<UserMessage> failure = m_engine.writeAndSave()) {
        platform::ShowMessage(this, *failure);
        m_grid->setFocus();
        return;
    }
    showStatus(QStringLiteral("Записано: %1 %2")
                   .arg(QFileInfo(m_engine.savedPath()).fileName(),
                        QTime::currentTime().toString(QStringLiteral("HH:mm"))));
    updateTitle();
    std::vector<Finding> findings = m_engine.check();
    if (findings.empty()) {
        if (m_findings->isVisible())
            showFindings({});
    } else {
        const QString text = SavedWithFindingsText(findings);
        showFindings(std::move(findings));
        platform::ShowMessage(this, UserMessage{QStringLiteral("TELM - Внимание!"), text,
                                                UserMessage::Icon::Warning});
    }
    m_grid->setFocus();
}

void frmDocument::cmdPrint_Click()
{
    if (!m_loaded || !txtEdit_LostFocus())
        return;
    // No current-row mark on paper; the cursor comes back afterwards.
    GridModel& grid = m_engine.grid();
    const GridCell at{grid.Row(), grid.Col()};
    grid.setCol(0);
    markNameCell(grid.Row(), QColor::fromRgb(marks().restingBack), QColor());
    // Laid out for paper from the document alone: the window's widths play no part.
    PrintRequest request;
    request.company = m_engine.state().company.Bulstat;
    request.pdfName = PdfFileName(m_engine);
    request.pdfFolder = m_engine.state().dataFolderPath();
    request.inputs = QStringList{m_engine.targetPath()};
    request.sheets = [this](const PaperOptions& options) {
        return std::vector<PaperSheet>{PaperSheetOf(m_engine, options)};
    };
    const PrintOutcome printed = PrintWithDialog(this, request);
    grid.setCurrentCell(at.row, at.col);
    markNameCell(grid.Row(), currentRowColor(), colourOf(marks().enteredText));
    if (!printed.pdfFile.isEmpty())
        showStatus(QStringLiteral("Отпечатано във файл: %1")
                       .arg(QDir::toNativeSeparators(printed.pdfFile)));
    else if (printed.printed)
        showStatus(QStringLiteral("Изпратено за печат на „%1“").arg(printed.printer));
    m_grid->setFocus();
}

void frmDocument::cmdCancel_Click()
{
    close();
}

void frmDocument::cmdSum_Click()
{
    if (!m_loaded || !txtEdit_LostFocus())
        return;
    m_engine.runConditionalSums();
    m_grid->setFocus();
}

void frmDocument::cmdComparatives_Click()
{
    if (!m_loaded || !txtEdit_LostFocus())
        return;
    const platform::MsgAnswer answer = platform::messageBoxes().show(
        this, QStringLiteral("Внимание!"),
        QStringLiteral("Сравнителните данни ще бъдат взети отново от файла с данни за "
                       "предходната година, а въведените досега ще бъдат заменени. "
                       "Продължавате ли?"),
        platform::MsgIcon::Question, platform::MsgButtons::YesNoCancel);
    m_grid->setFocus();
    if (answer != platform::MsgAnswer::Yes)
        return;
    if (const std::optional<UserMessage> failure = m_engine.refreshComparatives()) {
        platform::ShowMessage(this, *failure);
        m_grid->setFocus();
        return;
    }
    ApplyLoadLayout(m_engine.profile(), m_engine.maxLevel(), m_engine.grid(),
                    twips(m_grid->width()));
    Form_Resize();
    m_grid->viewport()->update();
}

void frmDocument::reject()
{
    close(); // Esc and the window manager go through the closing question too
}

void frmDocument::closeEvent(QCloseEvent* event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    if (!m_closeWithoutQuestion && !Form_Unload()) {
        event->ignore();
        return;
    }
    m_closing = true;
    event->accept();
    QDialog::reject();
}

bool frmDocument::Form_Unload()
{
    if (!m_loaded)
        return true;
    // An entry still in the editor box is part of the document: store it first.
    if (!txtEdit_LostFocus())
        return false;
    if (!m_engine.needsSaveQuestion())
        return true;
    const MsgAnswer answer =
        platform::AskYesNoCancel(this, QStringLiteral("Внимание!"),
                                 QStringLiteral("Искате ли да съхраните промените в документа?"));
    if (answer == MsgAnswer::Cancel) {
        m_grid->setFocus();
        return false;
    }
    if (answer == MsgAnswer::Yes) {
        cmdSave_Click();
        return m_engine.saved();
    }
    return true;
}

void frmDocument::keyPressEvent(QKeyEvent* event)
{
    // Enter belongs to the grid and the editor box, never to the dialog's
    // buttons; Esc closes the form (asking as the close box does).
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    if (toggleColumnByKey(event))
        return;
    QDialog::keyPressEvent(event);
}

QColor frmDocument::currentRowColor() const
{
    const quint32 color = m_engine.state().CurrentRowColor;
    if (color & 0x80000000u) // a system colour: 0x0F is the button face
        return palette().color(QPalette::Button);
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

void frmDocument::markNameCell(int row, const QColor& back, const QColor& fore)
{
    GridModel& grid = m_engine.grid();
    if (row < grid.FixedRows() || row >= grid.Rows())
        return;
    if (back.isValid())
        grid.setCellBackColor(row, 0, back);
    if (fore.isValid())
        grid.setCellForeColor(row, 0, fore);
}

} // namespace telm
