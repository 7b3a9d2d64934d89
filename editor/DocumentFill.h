// Filling a document without a window: open it as the new-document dialog
// would, commit amounts through the same rules as typing them, save.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace telm {

struct FillEntry
{
    QString id;     // the row's DocStr_ID
    QString field;  // DocDta_Sum1 ...
    QString amount; // as it would be typed
    QString origin; // where it came from, for messages ("ред 3", "--set 12:...")
};

struct FillRequest
{
    QString typeCode; // catalogue code: Bal, BalLiq2, OPR ...
    bool forecast = false;
    QString bulstat;
    QString company;
    QString year;  // four digits
    QString month; // 3, 6, 9 or 12
    QString programFolder;
    QString dataFolder; // where the data file lives; empty: <programFolder>/Data
    std::vector<FillEntry> entries;
};

struct FillResult
{
    enum class Status { Saved, NotSaved, BadUsage };
    Status status = Status::NotSaved;
    QStringList refused;  // entries skipped, one line each
    QStringList warnings; // e.g. the balance check
    QString error;        // why nothing was saved, or what was wrong with the request
    QString savedPath;
    bool correction = false;
};

FillResult RunFill(const FillRequest& request);

} // namespace telm
