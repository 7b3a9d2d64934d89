#include "app/DeskPanel.h"

#include "app/DeskModel.h"
#include "checks/Controls.h"
#include "desk/DeskScanner.h"
#include "editor/AmountText.h"
#include "selection/Catalogue.h"
#include "selection/DocumentContext.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <map>
#include <optional>

namespace telm {

namespace {

// More files than this to read show a progress bar.
constexpr int kProgressFrom = 200;

// Rows of filings whose company, BULSTAT or period holds every word typed.
class FilingFilter : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setWords(const QString& text)
    {
        m_words = text.split(u' ', Qt::SkipEmptyParts);
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override
    {
        const QModelIndex filing = parent.isValid() ? parent : sourceModel()->index(row, 0);
        const QString key = filing.data(DeskModel::kFilterRole).toString();
        for (const QString& word : m_words)
            if (!key.contains(word, Qt::CaseInsensitive))
                return false;
        return true;
    }

private:
    QStringList m_words;
};

} // namespace

DeskPanel::DeskPanel(const QString& dataFolder, const QString& programFolder, QWidget* emptyState,
                     QWidget* parent)
    : QWidget(parent), m_folder(dataFolder),
      m_scanner(std::make_unique<DeskScanner>(
          ControlsPath(programFolder), [](qint64 value) { return FormatNumber(double(value)); })),
      m_empty(emptyState)
{
    setObjectName(QStringLiteral("DeskPanel"));
    buildControls();

    m_work = new QFutureWatcher<DeskSnapshot>(this);
    connect(m_work, &QFutureWatcher<DeskSnapshot>::resultReadyAt, this,
            [this](int index) { showSnapshot(m_work->resultAt(index)); });
    connect(m_work, &QFutureWatcher<DeskSnapshot>::progressRangeChanged, this,
            [this](int, int maximum) {
                m_progress->setRange(0, maximum);
                m_progress->setVisible(maximum > kProgressFrom);
            });
    connect(m_work, &QFutureWatcher<DeskSnapshot>::progressValueChanged, m_progress,
            &QProgressBar::setValue);
    connect(m_work, &QFutureWatcher<DeskSnapshot>::finished, this, [this] {
        m_progress->hide();
        if (m_again)
            rescan();
    });

    // A save renames a new file into the folder: one rescan for a burst of changes.
    m_settle = new QTimer(this);
    m_settle->setSingleShot(true);
    m_settle->setInterval(250);
    connect(m_settle, &QTimer::timeout, this, &DeskPanel::rescan);
    m_disk = new QFileSystemWatcher(this);
    watchFolder();
    connect(m_disk, &QFileSystemWatcher::directoryChanged, m_settle, qOverload<>(&QTimer::start));

    // The first reading starts once the window is up: start-up never waits for it.
    QTimer::singleShot(0, this, &DeskPanel::rescan);
}

DeskPanel::~DeskPanel()
{
    m_again = false;
    m_work->waitForFinished();
}

void DeskPanel::buildControls()
{
    m_pages = new QStackedWidget(this);
    m_deskPage = new QWidget;
    m_txtFilter = new QLineEdit;
    m_txtFilter->setObjectName(QStringLiteral("txtFilter"));
    m_txtFilter->setPlaceholderText(QStringLiteral("Търсене: предприятие, БУЛСТАТ, година"));
    m_txtFilter->setClearButtonEnabled(true);
    auto* lblFilter = new QLabel(QStringLiteral("&Търсене:"));
    lblFilter->setBuddy(m_txtFilter);

    m_model = new DeskModel(this);
    auto* filter = new FilingFilter(this);
    filter->setSourceModel(m_model);
    m_filter = filter;
    connect(m_txtFilter, &QLineEdit::textChanged, this, [filter, this](const QString& text) {
        filter->setWords(text);
        m_tvwDesk->expandAll();
        updateButtons();
    });

    m_tvwDesk = new QTreeView;
    m_tvwDesk->setObjectName(QStringLiteral("tvwDesk"));
    m_tvwDesk->setModel(m_filter);
    m_tvwDesk->setUniformRowHeights(true);
    m_tvwDesk->setAlternatingRowColors(true);
    m_tvwDesk->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tvwDesk->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tvwDesk->setContextMenuPolicy(Qt::CustomContextMenu);
    m_tvwDesk->setAccessibleName(QStringLiteral("Документи в папката с данни"));
    connect(m_tvwDesk, &QTreeView::activated, this, &DeskPanel::activated);
    connect(m_tvwDesk, &QTreeView::customContextMenuRequested, this, &DeskPanel::contextMenu);
    connect(m_tvwDesk->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &DeskPanel::updateButtons);

    const auto button = [this](const char* name, const QString& caption,
                               void (DeskPanel::*click)()) {
        auto* b = new QPushButton(caption);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, click);
        return b;
    };
    m_cmdOpen = button("cmdOpen", QStringLiteral("&Отвори"), &DeskPanel::cmdOpen_Click);
    m_cmdPrint =
        button("cmdPrint", QStringLiteral("&Печат на отчетността"), &DeskPanel::cmdPrint_Click);
    m_cmdHandOver = button("cmdHandOver", QStringLiteral("&Предаване на отчетността"),
                           &DeskPanel::cmdHandOver_Click);
    m_cmdControls =
        button("cmdControls", QStringLiteral("&Контроли"), &DeskPanel::cmdControls_Click);
    m_cmdImport = button("cmdImport", QStringLiteral("&Импорт от оборотна ведомост..."),
                         &DeskPanel::cmdImport_Click);
    m_cmdImport->setAccessibleDescription(
        QStringLiteral("Попълва баланса и отчета за приходите и разходите от оборотна ведомост; "
                       "на отчетност предлага нейното предприятие и период"));
    m_progress = new QProgressBar;
    m_progress->setObjectName(QStringLiteral("prgDesk"));
    m_progress->setFormat(QStringLiteral("Четене на файловете: %v от %m"));
    m_progress->hide();

    auto* top = new QHBoxLayout;
    top->addWidget(lblFilter);
    top->addWidget(m_txtFilter, 1);
    top->addWidget(m_progress);
    top->addWidget(m_cmdImport);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_cmdOpen, m_cmdPrint, m_cmdHandOver, m_cmdControls})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* column = new QVBoxLayout(m_deskPage);
    column->addLayout(top);
    column->addWidget(m_tvwDesk, 1);
    column->addLayout(buttons);

    if (m_empty)
        m_pages->addWidget(m_empty);
    m_pages->addWidget(m_deskPage);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);
    updateButtons();
}

void DeskPanel::setActions(DeskActions actions)
{
    m_actions = std::move(actions);
    updateButtons();
}

void DeskPanel::rescan()
{
    if (m_work->isRunning()) {
        m_again = true;
        return;
    }
    m_again = false;
    DeskScanner* scanner = m_scanner.get();
    const QString folder = m_folder;
    watchFolder();
    m_work->setFuture(QtConcurrent::run([scanner, folder](QPromise<DeskSnapshot>& promise) {
        const auto progress = [&promise](int done, int total) {
            promise.setProgressRange(0, total);
            promise.setProgressValue(done);
        };
        DeskSnapshot snapshot = scanner->ReadHeaders(folder, progress);
        promise.addResult(snapshot);
        scanner->CheckFilings(snapshot, progress);
        promise.addResult(std::move(snapshot));
    }));
}

void DeskPanel::watchFolder()
{
    // A watch follows the folder it was set on, wherever that goes: it is set
    // again on each reading, so a data folder made anew is the one followed.
    const QFileInfo data(m_folder);
    const QString parent = data.absolutePath();
    if (m_disk->directories().contains(m_folder))
        m_disk->removePath(m_folder);
    if (data.isDir()) {
        m_disk->addPath(m_folder);
        if (m_disk->directories().contains(parent))
            m_disk->removePath(parent);
    } else if (!m_disk->directories().contains(parent) && QFileInfo(parent).isDir()) {
        m_disk->addPath(parent);
    }
}

void DeskPanel::rescanShowing(const QString& path)
{
    m_showAfter = path;
    rescan();
}

void DeskPanel::showSnapshot(const DeskSnapshot& snapshot)
{
    // The current row is kept by its file (or its filing's first file).
    QString keep = currentFile();
    if (!m_showAfter.isEmpty()) {
        const QFileInfo wanted(m_showAfter);
        for (const DeskFile& file : snapshot.files)
            if (QFileInfo(file.path) == wanted) {
                keep = file.path;
                m_showAfter.clear();
            }
    }
    if (const DeskFiling* filing = currentFiling();
        keep.isEmpty() && filing && !filing->files.empty())
        keep = m_snapshot->files[filing->files.front()].path;
    const int keepColumn =
        m_tvwDesk->currentIndex().isValid() ? m_tvwDesk->currentIndex().column() : 0;

    m_snapshot = std::make_shared<const DeskSnapshot>(snapshot);
    fillModel(keep, keepColumn);
    if (m_empty)
        m_pages->setCurrentWidget(m_snapshot->files.empty() ? m_empty : m_deskPage);
    if (m_snapshot->checked)
        emit deskChecked();
}

void DeskPanel::fillModel(const QString& keep, int keepColumn)
{
    m_model->setSnapshot(m_snapshot);
    m_tvwDesk->expandAll();
    for (int c = 0; c < DeskModel::kColumns; ++c)
        if (c != DeskModel::colDocument)
            m_tvwDesk->resizeColumnToContents(c);
    // As wide as the statements' titles: a filing's missing statements are
    // elided there (all of them in its tooltip), so the checks stay in view.
    int titles = m_tvwDesk->header()->sectionSizeHint(DeskModel::colDocument);
    for (const DocType& type : Catalogue())
        titles = std::max(titles, m_tvwDesk->fontMetrics().horizontalAdvance(type.titleText()));
    m_tvwDesk->setColumnWidth(DeskModel::colDocument, titles + m_tvwDesk->indentation());

    QModelIndex current = keep.isEmpty() ? QModelIndex() : m_model->indexOfFile(keep);
    if (!current.isValid() && m_model->rowCount() > 0)
        current = m_model->index(0, 0);
    if (current.isValid())
        m_tvwDesk->setCurrentIndex(m_filter->mapFromSource(current.siblingAtColumn(keepColumn)));
    updateButtons();
}

const DeskFiling* DeskPanel::currentFiling() const
{
    const QModelIndex index = m_tvwDesk->currentIndex();
    if (!index.isValid())
        return nullptr;
    const int f = index.data(DeskModel::kFilingRole).toInt();
    if (f < 0 || f >= int(m_snapshot->filings.size()))
        return nullptr;
    return &m_snapshot->filings[std::size_t(f)];
}

QString DeskPanel::currentFile() const
{
    const QModelIndex index = m_tvwDesk->currentIndex();
    return index.isValid() ? index.siblingAtColumn(0).data(DeskModel::kPathRole).toString()
                           : QString();
}

QStringList DeskPanel::filingPaths(const DeskFiling& filing) const
{
    QStringList paths;
    for (const std::size_t i : filing.files)
        paths << m_snapshot->files[i].path;
    return paths;
}

std::vector<clsCompany> DeskPanel::companies() const
{
    // The newest file's name for each BULSTAT.
    std::map<QString, std::pair<QDateTime, QString>> byBulstat;
    for (const DeskFile& file : m_snapshot->files) {
        if (file.bulstat.isEmpty() || file.company.isEmpty())
            continue;
        auto& entry = byBulstat[file.bulstat];
        if (entry.second.isEmpty() || file.saved > entry.first)
            entry = {file.saved, file.company};
    }
    std::vector<clsCompany> out;
    for (const auto& [bulstat, entry] : byBulstat)
        out.push_back(clsCompany{entry.second, bulstat});
    std::sort(out.begin(), out.end(), [](const clsCompany& a, const clsCompany& b) {
        return a.Name.compare(b.Name, Qt::CaseInsensitive) < 0;
    });
    return out;
}

void DeskPanel::updateButtons()
{
    const bool onFile = !currentFile().isEmpty();
    const bool onFiling = currentFiling() != nullptr;
    m_cmdOpen->setEnabled(onFile && m_actions.open);
    m_cmdPrint->setEnabled(onFiling && m_actions.print);
    m_cmdHandOver->setEnabled(onFiling && m_actions.handOver);
    m_cmdControls->setEnabled(onFiling && m_actions.runControls);
    m_cmdImport->setEnabled(static_cast<bool>(m_actions.importTrialBalance));
}

void DeskPanel::activated(const QModelIndex& index)
{
    if (!index.siblingAtColumn(0).data(DeskModel::kPathRole).toString().isEmpty())
        cmdOpen_Click();
}

void DeskPanel::cmdOpen_Click()
{
    const QString path = currentFile();
    if (path.isEmpty() || !m_actions.open)
        return;
    m_actions.open(window(), path);
    rescan();
}

void DeskPanel::runOnFiling(
    const std::function<void(QWidget*, const DeskFiling&, const QStringList&)>& action)
{
    const DeskFiling* filing = currentFiling();
    if (!filing || !action)
        return;
    // A copy: the action may run the event loop, and a rescan replaces the snapshot.
    const DeskFiling chosen = *filing;
    action(window(), chosen, filingPaths(chosen));
}

void DeskPanel::cmdPrint_Click()
{
    runOnFiling(m_actions.print);
}

void DeskPanel::cmdHandOver_Click()
{
    runOnFiling(m_actions.handOver);
}

void DeskPanel::cmdControls_Click()
{
    runOnFiling(m_actions.runControls);
}

void DeskPanel::cmdImport_Click()
{
    if (!m_actions.importTrialBalance)
        return;
    // A copy: the import runs the event loop, and a rescan replaces the snapshot.
    const DeskFiling* current = currentFiling();
    const std::optional<DeskFiling> filing =
        current ? std::optional<DeskFiling>(*current) : std::nullopt;
    m_actions.importTrialBalance(window(), filing ? &*filing : nullptr);
}

void DeskPanel::contextMenu(const QPoint& at)
{
    QMenu menu(this);
    for (QPushButton* b : {m_cmdOpen, m_cmdPrint, m_cmdHandOver, m_cmdControls, m_cmdImport}) {
        QAction* action = menu.addAction(b->text(), b, &QPushButton::click);
        action->setEnabled(b->isEnabled());
    }
    menu.exec(m_tvwDesk->viewport()->mapToGlobal(at));
}

} // namespace telm
