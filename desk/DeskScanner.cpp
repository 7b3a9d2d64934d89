#include "desk/DeskScanner.h"

#include "checks/ControlRun.h"
#include "checks/Statement.h"
#include "desk/FilingOrder.h"
#include "desk/HeaderTail.h"
#include "selection/Catalogue.h"
#include "selection/YearText.h"

#include <QDir>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <numeric>

namespace telm {

namespace {

// Files read between two progress reports.
constexpr int kBatch = 256;

void readHeader(DeskFile& file)
{
    const std::optional<StoredHeader> header = ReadHeaderTail(file.path, file.size);
    if (!header)
        return;
    file.company = header->company;
    file.bulstat = header->bulstat;
    file.document = header->document;
    file.type = DocTypeByTitle(header->document);
    file.forecast = header->forecast();
    if (const std::optional<PeriodText> period = PeriodFromText(header->period)) {
        file.year = QString::number(period->year);
        file.month = period->month;
    } else {
        file.month = header->period; // shown as written: the check will say what is wrong
    }
}

} // namespace

DeskScanner::DeskScanner(const QString& controlsPath, NumberText number)
    : m_number(std::move(number))
{
    if (const std::optional<ControlsError> error = LoadControls(controlsPath, m_controls)) {
        m_controls.clear();
        m_controlsError = error->message;
    }
    m_pool.setMaxThreadCount(std::max(2, QThread::idealThreadCount()));
}

DeskSnapshot DeskScanner::ReadHeaders(const QString& folder, const Progress& progress)
{
    DeskSnapshot snapshot;
    snapshot.folder = folder;
    const QFileInfoList infos =
        QDir(folder).entryInfoList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name);
    QHash<QString, FileState> kept;
    kept.reserve(infos.size());
    std::vector<std::size_t> unread;
    snapshot.files.reserve(static_cast<std::size_t>(infos.size()));
    for (const QFileInfo& info : infos) {
        const QString path = info.filePath();
        const qint64 size = info.size();
        const QDateTime modified = info.lastModified();
        const qint64 stamp = modified.toMSecsSinceEpoch();
        const auto cached = m_files.constFind(path);
        if (cached != m_files.cend() && cached->size == size && cached->modified == stamp) {
            snapshot.files.push_back(cached->file);
            kept.insert(path, *cached);
            continue;
        }
        DeskFile file;
        file.path = path;
        file.size = size;
        file.saved = modified;
        unread.push_back(snapshot.files.size());
        snapshot.files.push_back(std::move(file));
    }
    const int total = static_cast<int>(unread.size());
    for (int from = 0; from < total; from += kBatch) {
        const auto first = unread.begin() + from;
        const auto last = unread.begin() + std::min(total, from + kBatch);
        QtConcurrent::blockingMap(&m_pool, first, last,
                                  [&snapshot](std::size_t i) { readHeader(snapshot.files[i]); });
        if (progress)
            progress(static_cast<int>(last - unread.begin()), total);
    }
    for (const std::size_t i : unread) {
        const DeskFile& file = snapshot.files[i];
        kept.insert(file.path, FileState{file.size, file.saved.toMSecsSinceEpoch(), file});
    }
    m_files = std::move(kept);
    GroupIntoFilings(snapshot);
    return snapshot;
}

QString DeskScanner::signatureOf(const DeskSnapshot& snapshot, const DeskFiling& filing) const
{
    QString signature;
    for (const std::size_t i : filing.files) {
        const DeskFile& f = snapshot.files[i];
        signature += f.path + u'|' + QString::number(f.size) + u'|'
                     + QString::number(f.saved.toMSecsSinceEpoch()) + u'\n';
    }
    return signature;
}

DeskScanner::FilingState DeskScanner::checkFiling(const DeskSnapshot& snapshot,
                                                  const DeskFiling& filing)
{
    FilingState state;
    std::vector<Statement> statements;
    statements.reserve(filing.files.size());
    for (const std::size_t i : filing.files) {
        Statement statement;
        if (const std::optional<StatementFault> fault =
                ReadStatement(snapshot.files[i].path, statement)) {
            state.checks.emplace_back(FileCheck::Refused, StatementFaultText(*fault));
            continue;
        }
        state.checks.emplace_back(FileCheck::Verified, QString());
        statements.push_back(std::move(statement));
    }
    // A statement whose header disagrees with the filing's is not read with it.
    std::vector<const Statement*> verified;
    for (const Statement& s : statements)
        if (s.bulstat == filing.bulstat && s.year == filing.year && s.month == filing.month
            && s.forecast == filing.forecast)
            verified.push_back(&s);
    state.findings = 0;
    if (verified.empty() || m_controlsError)
        return state;
    for (const ControlFailure& failure : RunControls(m_controls, verified)) {
        state.texts << DescribeFailure(failure, m_number);
        ++state.findings;
    }
    return state;
}

void DeskScanner::CheckFilings(DeskSnapshot& snapshot, const Progress& progress)
{
    QHash<QString, FilingState> kept;
    std::vector<std::pair<std::size_t, QString>> unchecked; // filing, signature
    for (std::size_t f = 0; f < snapshot.filings.size(); ++f) {
        const QString signature = signatureOf(snapshot, snapshot.filings[f]);
        if (const auto cached = m_filings.constFind(signature); cached != m_filings.cend())
            kept.insert(signature, *cached);
        else
            unchecked.emplace_back(f, signature);
    }
    std::vector<FilingState> results(unchecked.size());
    const int total = static_cast<int>(unchecked.size());
    for (int from = 0; from < total; from += kBatch / 4) {
        const int to = std::min(total, from + kBatch / 4);
        std::vector<int> batch(static_cast<std::size_t>(to - from));
        std::iota(batch.begin(), batch.end(), from);
        QtConcurrent::blockingMap(&m_pool, batch, [&](int k) {
            const auto u = static_cast<std::size_t>(k);
            results[u] = checkFiling(snapshot, snapshot.filings[unchecked[u].first]);
        });
        if (progress)
            progress(to, total);
    }
    for (std::size_t u = 0; u < unchecked.size(); ++u)
        kept.insert(unchecked[u].second, std::move(results[u]));

    for (DeskFiling& filing : snapshot.filings) {
        const FilingState& state = kept[signatureOf(snapshot, filing)];
        filing.findings = state.findings;
        filing.findingTexts = state.texts;
        for (std::size_t k = 0; k < filing.files.size() && k < state.checks.size(); ++k) {
            DeskFile& file = snapshot.files[filing.files[k]];
            file.check = state.checks[k].first;
            file.fault = state.checks[k].second;
            if (const auto cached = m_files.find(file.path); cached != m_files.end())
                cached->file = file;
        }
    }
    m_filings = std::move(kept);
    snapshot.checked = true;
}

DeskSnapshot DeskScanner::Scan(const QString& folder)
{
    DeskSnapshot snapshot = ReadHeaders(folder);
    CheckFilings(snapshot);
    return snapshot;
}

} // namespace telm
