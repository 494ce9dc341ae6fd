#pragma once

// Installs the render library as the painter of every grid in the process (see
// core/GridPainter.h for why the control reaches it through an interface).

namespace tabula::render {

// Idempotent; call once before the first grid paints.
void InstallGridPainter();

}  // namespace tabula::render
