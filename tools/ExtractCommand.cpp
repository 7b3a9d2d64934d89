// telmtool extract: every amount of verified data files as one long-format
// CSV (RFC 4180, UTF-8), for the side that gathers many filings. Files are
// read in parallel and written in the order given.
#include "checks/Statement.h"
#include "selection/Catalogue.h"
#include "tools/CsvWriter.h"
#include "tools/Telmtool.h"

#include <QThread>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace telm::tool {

namespace {

constexpr const char* kHeader =
    "file,bulstat,company,year,month,document,forecast,row,level,code,title,field,amount\r\n";

struct FileResult
{
    QByteArray csv;  // the file's lines
    QString refusal; // or why it is not extracted
};

FileResult extract(const QString& path, bool raw)
{
    FileResult result;
    Statement s;
    if (const std::optional<StatementFault> fault = ReadStatement(path, s)) {
        result.refusal = StatementFaultText(*fault);
        return result;
    }
    // The fields every line of the file shares.
    QByteArray prefix;
    for (const QString& text : {path, s.bulstat, s.company}) {
        AppendCsvText(prefix, text, raw);
        prefix += ',';
    }
    for (const QString& number : {s.year, s.month}) {
        AppendCsvField(prefix, number.toUtf8());
        prefix += ',';
    }
    AppendCsvText(prefix, QString::fromLatin1(s.type->code), raw);
    prefix += s.forecast ? ",1," : ",0,";
    QByteArray& csv = result.csv;
    const QStringList fields = s.allAmountFields();
    csv.reserve(static_cast<qsizetype>(s.rows.size() * fields.size()) * (prefix.size() + 80));
    for (const StatementRow& row : s.rows) {
        QByteArray rowPart = prefix;
        AppendCsvField(rowPart, row.id.toUtf8());
        rowPart += ',' + QByteArray::number(row.level) + ',';
        AppendCsvText(rowPart, row.code, raw);
        rowPart += ',';
        AppendCsvText(rowPart, row.title, raw);
        rowPart += ',';
        for (qsizetype k = 0; k < fields.size(); ++k) {
            csv += rowPart;
            AppendCsvField(csv, fields.at(k).toUtf8());
            csv += ',';
            AppendCsvField(csv, row.amounts.at(k).toUtf8()); // a plain integer, or empty
            csv += "\r\n";
        }
    }
    return result;
}

} // namespace

int RunExtract(const QStringList& args, std::ostream& out, std::ostream& err)
{
    CommandLine line("extract");
    const QCommandLineOption jobsOption(QStringLiteral("jobs"), QString(), QStringLiteral("N"));
    const QCommandLineOption rawOption(QStringLiteral("raw"));
    line.addOption(jobsOption);
    line.addOption(rawOption);
    if (!line.parse(args, err))
        return kExitUsage;
    const QCommandLineParser& parser = line.parser();
    const QStringList files = line.positional();
    if (files.isEmpty())
        return line.usage(err, QStringLiteral("expected at least one FILE"));
    int jobs = std::max(1, QThread::idealThreadCount());
    if (parser.isSet(jobsOption)) {
        bool ok = false;
        jobs = parser.value(jobsOption).toInt(&ok);
        if (!ok || jobs < 1 || jobs > 256)
            return line.usage(err, QStringLiteral("--jobs takes a number from 1 to 256"));
    }
    jobs = std::min<int>(jobs, static_cast<int>(files.size()));
    const bool raw = parser.isSet(rawOption);

    out << kHeader;
    int refused = 0;
    const auto deliver = [&](const QString& path, const FileResult& result) {
        if (!result.refusal.isEmpty()) {
            err << path << ": " << result.refusal << "\n";
            ++refused;
            return;
        }
        out.write(result.csv.constData(), result.csv.size());
    };
    if (jobs == 1) {
        for (const QString& path : files)
            deliver(path, extract(path, raw));
        out.flush();
        return refused == 0 ? kExitOk : kExitFailed;
    }

    // Workers take the next file; the caller writes results in input order as
    // they arrive, with at most `window` files read ahead of the writer.
    const std::size_t count = static_cast<std::size_t>(files.size());
    const std::size_t window = static_cast<std::size_t>(jobs) * 8;
    std::vector<std::optional<FileResult>> done(count);
    std::atomic<std::size_t> next{0};
    std::size_t written = 0;
    std::mutex mutex;
    std::condition_variable ready; // a slot was filled
    std::condition_variable room;  // the writer moved on
    const auto work = [&] {
        for (;;) {
            const std::size_t i = next.fetch_add(1);
            if (i >= count)
                return;
            {
                std::unique_lock lock(mutex);
                room.wait(lock, [&] { return i < written + window; });
            }
            FileResult result = extract(files.at(static_cast<qsizetype>(i)), raw);
            {
                std::lock_guard lock(mutex);
                done[i] = std::move(result);
            }
            ready.notify_all();
        }
    };
    std::vector<std::thread> workers;
    for (int j = 0; j < jobs; ++j)
        workers.emplace_back(work);

    for (std::size_t i = 0; i < count; ++i) {
        FileResult result;
        {
            std::unique_lock lock(mutex);
            ready.wait(lock, [&] { return done[i].has_value(); });
            result = std::move(*done[i]);
            done[i].reset();
            written = i + 1;
        }
        room.notify_all();
        deliver(files.at(static_cast<qsizetype>(i)), result);
    }
    for (std::thread& worker : workers)
        worker.join();
    out.flush();
    return refused == 0 ? kExitOk : kExitFailed;
}

} // namespace telm::tool
