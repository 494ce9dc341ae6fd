#pragma once

// The selection model: how the selected block follows the current cell in each selection
// mode. The block's look (inverted except its anchor) is drawn by render/Overlays; every
// change here erases the old look and draws the new one.

namespace tabula {
class Tabula;
}

namespace tabula::input {

// Reshapes the block around the current cell when AllowSelection is set: the current row
// (columns 0..Cols) in SelectionByRow, the current column (rows 0..Rows) in
// SelectionByCol, the current cell alone in SelectionByRowHeader; SelectionFree keeps the
// block as it is.
void ApplySelectionMode(Tabula& grid);
// The block becomes the current row (columns 0..Cols) or the current column (rows
// 0..Rows), its look moved with it.
void SelectRowBlock(Tabula& grid);
void SelectColumnBlock(Tabula& grid);

}  // namespace tabula::input
