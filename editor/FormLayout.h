// The layout of a form's grid: column widths, band fonts, captions and
// alignments of a freshly loaded document, and the band-0 widths that follow
// the grid's width. Used by the document form and by whatever lays the grid
// out at a stated width without a window.
#pragma once

namespace telm {

class GridModel;
struct FormProfile;

// Widths, fonts, captions and alignments after a load. `levels` is the
// document's MaxLevel; `gridWidth` in twips sizes the columns of the forms
// that set them from it at load.
void ApplyLoadLayout(const FormProfile& profile, int levels, GridModel& grid, int gridWidth);

// The previous-year columns' headings say that their amounts are typed
// (there is no file of last year to take them from).
void MarkTypedComparatives(const FormProfile& profile, GridModel& grid);

// Band-0 widths for a grid `gridWidth` twips wide; columns the profile does
// not name get width 0.
void ApplyResizeWidths(const FormProfile& profile, GridModel& grid, int gridWidth);

// The grid width at which the band-0 widths of the resize rule add up to
// `columnsWidth` twips: how a grid is laid out for a stated printed width.
int GridWidthForColumns(const FormProfile& profile, int columnsWidth);

} // namespace telm
