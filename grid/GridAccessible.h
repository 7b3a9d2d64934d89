// The grid widget as assistive technology (a screen reader, a braille display)
// sees it: a table of the rows and columns shown on screen. Its column headers
// are the header row's captions; the title column is a column like the others
// and each row's title is also its row header; a cell's text is its name and
// value, and a cell that takes no entry is read-only. Moves of the current
// cell are told as focus events, changed cells as value changes.
#pragma once

#include "grid/GridModel.h"

#include <functional>

class QAccessibleEvent;

namespace telm {

class GridWidget;

// Registers the factory that gives every grid widget its table; the grid
// widget calls it, and calling it again does nothing.
void InstallGridAccessibility();

// The model listener by which a grid widget tells assistive technology of its
// moves and changes. It does nothing while no assistive technology listens.
GridModel::Listener GridAccessibleListener(GridWidget& grid);

// Tells that the current cell has the focus, once the grid's own focus event
// has gone out (the grid has just got the focus).
void AnnounceCurrentCellSoon(GridWidget& grid);

// Qt hands events to the platform only while assistive technology runs; a
// test sees them here (and, while a hook is set, they are made as if it ran).
using GridAccessibleEventHook = std::function<void(QAccessibleEvent& event)>;
void SetGridAccessibleEventHook(GridAccessibleEventHook hook);

} // namespace telm
