// A trial balance imported as a filing: the maps and the ledger's file read and
// placed (what the preview shows and the command's dry run prints), then the
// statements the amounts go to filled through the same road as typing them and
// saved, and the filing's controls run over what was saved.
#pragma once

#include "ledger/AccountMap.h"
#include "ledger/StatementAmounts.h"
#include "ledger/TrialBalance.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace telm {

struct ImportSources
{
    QString programFolder;    // Blanki/Accounts.txt and the templates under it
    QString trialBalancePath; // the ledger's export
    QString ownMapPath;       // a company's own map over the shipped one; empty: none
};

struct ImportPlan
{
    AccountMap map; // the shipped map with the company's own over it
    TrialBalance trialBalance;
    StatementAmounts amounts;
    QString refusal; // why nothing can be imported (file and line); empty when read

    bool readable() const { return refusal.isEmpty(); }
    // The statements the amounts go to, in the order the map first names them.
    QStringList codes() const;
};

// Reads the maps and the trial balance and places it; reads and writes nothing
// else.
ImportPlan PlanImport(const ImportSources& sources);

struct ImportFilingRequest
{
    QString bulstat;
    QString company;
    QString year;  // four digits
    QString month; // 3, 6, 9 or 12
    QString programFolder;
    QString dataFolder; // empty: <programFolder>/Data
    bool force = false; // import the placed part although some accounts are not placed
};

struct ImportedStatement
{
    QString code;
    QString path; // as saved, native separators
    int cells = 0;
    bool correction = false; // the data file was there and was corrected
};

struct ImportFilingResult
{
    enum class Status { Saved, Refused, BadUsage };
    Status status = Status::Refused;
    std::vector<ImportedStatement> saved;
    QStringList skipped;  // cells that could not be filled, one line each
    QStringList warnings; // notices of the road (comparatives, the balance check) and of
                          // the plan (the income statement not filled after the closing)
    QStringList findings; // the filing's controls over what was saved, each once
    QString error;        // why nothing was saved, or what was wrong with the request

    // Saved, every account placed, every cell filled, and the controls agree.
    bool clean(const ImportPlan& plan) const;
};

// Fills and saves the plan's statements: each cell the amounts go to is typed
// with its amount, every other cell of those statements the map names is
// emptied (an existing data file is a correction: an amount of an account
// that has no balance now does not stay), and nothing else is touched (other
// rows, the stored comparatives). Every statement is prepared before any is
// written; when a save still fails, those saved before it are put back as they
// were, so the folder is as before. The filing's controls then run once over
// what was saved (findings). Refused, saving nothing, when the plan
// could not be read, or when accounts are not placed and `force` is not set.
ImportFilingResult ImportFiling(const ImportPlan& plan, const ImportFilingRequest& request);

} // namespace telm
