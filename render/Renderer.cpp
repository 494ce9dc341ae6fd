#include "render/Renderer.h"

#include "core/GridPainter.h"
#include "core/Tabula.h"
#include "render/Layout.h"
#include "render/Redraw.h"

namespace tabula::render {

namespace {

class Renderer final : public GridPainter {
public:
    void Refresh(Tabula& grid) override { render::Refresh(grid); }
    void PaintBorder(Tabula& grid) override { render::PaintBorder(grid); }
    bool CellPosition(Tabula& grid, int32_t row, int32_t col, int32_t& x, int32_t& y) override {
        const CellPlace place = render::CellPosition(grid, row, col);
        x = place.x;
        y = place.y;
        return !place.outOfView;
    }
    void AutoSizeColumns(Tabula& grid) override { render::AutoSizeColumns(grid); }
};

}  // namespace

void InstallGridPainter() {
    static Renderer renderer;
    SetInstalledGridPainter(&renderer);
}

}  // namespace tabula::render
