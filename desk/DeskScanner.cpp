#include "desk/DeskScanner.h"

#include "checks/ControlRun.h"
#include "checks/LastYear.h"
#include "checks/Statement.h"
#include "desk/FilingOrder.h"
#include "desk/HeaderTail.h"
#include "selection/Catalogue.h"
#include "selection/YearText.h"

#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
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

struct Listed
{
    QString path;
    qint64 size = 0;
    qint64 modified = 0; // the file clock's ticks: compared only, never shown
    qint64 savedMs = 0;  // the same as milliseconds since 1970
};

// The folder's ordinary *.xml files (any letter case; links count as their
// target) by name. Listed through the standard library: one status per file and no
// conversion to local time, which a rescan of thousands of files would pay for.
std::vector<Listed> listDataFiles(const QString& folder)
{
    namespace fs = std::filesystem;
    std::vector<Listed> out;
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
    std::error_code error;
    for (fs::directory_iterator it(fs::path(folder.toStdString()), error), end; !error && it != end;
         it.increment(error)) {
        const fs::path& path = it->path();
        std::string extension = path.extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return char(std::tolower(c)); });
        std::error_code failed;
        if (extension != ".xml" || !it->is_regular_file(failed))
            continue;
        const auto size = it->file_size(failed);
        const fs::file_time_type time = it->last_write_time(failed);
        if (failed)
            continue;
        const auto saved = std::chrono::file_clock::to_sys(time);
        out.push_back(Listed{
            prefix + QString::fromStdString(path.filename().string()), qint64(size),
            qint64(time.time_since_epoch().count()),
            qint64(std::chrono::duration_cast<std::chrono::milliseconds>(saved.time_since_epoch())
                       .count())});
    }
    std::sort(out.begin(), out.end(),
              [](const Listed& a, const Listed& b) { return a.path < b.path; });
    return out;
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
    const std::vector<Listed> listed = listDataFiles(folder);
    QHash<QString, FileState> kept;
    kept.reserve(static_cast<qsizetype>(listed.size()));
    std::vector<std::size_t> unread;
    snapshot.files.reserve(listed.size());
    for (const Listed& entry : listed) {
        const auto cached = m_files.constFind(entry.path);
        if (cached != m_files.cend() && cached->size == entry.size
            && cached->modified == entry.modified) {
            snapshot.files.push_back(cached->file);
            kept.insert(entry.path, *cached);
            continue;
        }
        DeskFile file;
        file.path = entry.path;
        file.size = entry.size;
        file.modified = entry.modified;
        file.saved = QDateTime::fromMSecsSinceEpoch(entry.savedMs);
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
        kept.insert(file.path, FileState{file.size, file.modified, file});
    }
    m_files = std::move(kept);
    GroupIntoFilings(snapshot);
    return snapshot;
}

QString DeskScanner::signatureOf(const DeskSnapshot& snapshot, const DeskFiling& filing) const
{
    QString signature;
    const auto add = [&](const DeskFiling& of) {
        for (const std::size_t i : of.files) {
            const DeskFile& f = snapshot.files[i];
            signature += f.path + u'|' + QString::number(f.size) + u'|'
                         + QString::number(f.modified) + u'\n';
        }
    };
    add(filing);
    // The comparatives are checked against last year's filing: a change there
    // is a change here.
    const QString lastYear = QString::number(filing.year.toInt() - 1);
    for (const DeskFiling& other : snapshot.filings)
        if (other.bulstat == filing.bulstat && other.month == filing.month
            && other.forecast == filing.forecast && other.year == lastYear) {
            signature += QStringLiteral("last year\n");
            add(other);
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
    // Last year's statements beside them, for the comparatives.
    const LastYearFiling lastYear = FindLastYear(verified);
    for (const ControlFailure& failure :
         RunControls(m_controls, verified, nullptr, nullptr, lastYear.statements)) {
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
