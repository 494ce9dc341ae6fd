#pragma once

// The drawing half of the grid lives in the render library, which builds on core (it reads
// the state record and draws on the constituents). The control reaches it through this
// interface so that core never depends on render: a program that links render installs
// its painter once (render::InstallGridPainter), and every grid of the process uses it.
// Without a painter the grid keeps its state and counts redraws but draws nothing.

#include <cstdint>

namespace tabula {

class Tabula;

class GridPainter {
public:
    virtual ~GridPainter() = default;
    // The redraw procedure: clears picGrid and repaints everything.
    virtual void Refresh(Tabula& grid) = 0;
    // Draws the control's border on its own surface.
    virtual void PaintBorder(Tabula& grid) = 0;
    // The cell's left and top in picGrid; false when the cell is out of view.
    virtual bool CellPosition(Tabula& grid, int32_t row, int32_t col, int32_t& x, int32_t& y) = 0;
    // Spreads picGrid's width over the data columns (Cols is at least 1 here).
    virtual void AutoSizeColumns(Tabula& grid) = 0;
};

// The painter every grid uses; null when none is installed.
GridPainter* InstalledGridPainter();
void SetInstalledGridPainter(GridPainter* painter);

}  // namespace tabula
