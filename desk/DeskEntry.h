// The desk: every data file of the data folder with its state, gathered into
// filings (one company, period and kind), as the main window and telmtool list
// show them. Plain records; DeskScanner fills them.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <vector>

namespace telm {

struct DocType;

// Whether a file is to be believed: not yet known, verified, or refused.
enum class FileCheck { Pending, Verified, Refused };

struct DeskFile
{
    QString path;
    qint64 size = 0;
    qint64 modified = 0; // when the file was last written, as the file system counts: compared
    QDateTime saved;     // the same moment, to show
    // The header as the file holds it; all empty for a file without one.
    QString company;
    QString bulstat;
    QString year;
    QString month;
    QString document; // the type's title as written
    const DocType* type = nullptr;
    bool forecast = false;
    FileCheck check = FileCheck::Pending;
    QString fault; // why it was refused, in the reader's words

    QString fileName() const;
};

struct DeskFiling
{
    QString company;
    QString bulstat;
    QString year;
    QString month;
    bool forecast = false;
    std::vector<std::size_t> files; // into DeskSnapshot::files, in the filing's order
    QStringList missing;            // the expected statements it lacks, by title
    int findings = -1;              // the controls' findings; -1 while not run
    QStringList findingTexts;       // each finding in words

    // The period as the desk shows it: "12/2025".
    QString period() const { return month + u'/' + year; }
};

struct DeskSnapshot
{
    QString folder;
    std::vector<DeskFile> files;
    std::vector<DeskFiling> filings; // by company, newest period first, real before forecast
    bool checked = false;            // verification and controls done for every filing

    // The filing a file belongs to, or nullptr.
    const DeskFiling* filingOf(std::size_t file) const;
    int refusedCount() const;
};

} // namespace telm
