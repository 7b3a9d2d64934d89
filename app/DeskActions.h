// What the desk's buttons do, handed in from outside the desk: opening a
// statement for correction, printing, handing over and checking a filing,
// importing a trial balance.
// Each is a plain function so the program, the tests and later pieces (the
// filing's PDF, the findings panel) can each give their own.
#pragma once

#include "desk/DeskEntry.h"

#include <QStringList>

#include <functional>

class QWidget;

namespace telm {

struct DeskActions
{
    // Opens the data file for correction, modal over the parent; returns when closed.
    std::function<void(QWidget* parent, const QString& path)> open;
    // The filing and its files, in the filing's order.
    std::function<void(QWidget* parent, const DeskFiling& filing, const QStringList& paths)> print;
    std::function<void(QWidget* parent, const DeskFiling& filing, const QStringList& paths)>
        handOver;
    std::function<void(QWidget* parent, const DeskFiling& filing, const QStringList& paths)>
        runControls;
    // A trial balance imported; the filing, when one is current, gives the
    // company and period to start from.
    std::function<void(QWidget* parent, const DeskFiling* filing)> importTrialBalance;
};

} // namespace telm
