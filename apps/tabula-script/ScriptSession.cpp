#include "apps/tabula-script/ScriptSession.h"

#include <algorithm>

namespace tabula::script {

namespace {
int32_t Side(int32_t value) {
    return std::clamp(value, 1, ScriptSession::kMaxSide);
}
}  // namespace

ScriptSession::ScriptSession(int32_t width, int32_t height, std::ostream& out)
    : host_(Side(width), Side(height)),
      form_(Rect{0, 0, Side(width), Side(height)}, "tabula-script"),
      container_(form_),
      grid_(form_.hWnd(), Rect{0, 0, Side(width), Side(height)}),
      interpreter_(out) {
    Site& site = container_.Add(grid_, "Tabula.Grid");
    if (container_.SupportedExtenderProperties().Has(ExtenderProperty::Name)) {
        site.GetExtender().Let("Name", "grid");
    }
    grid_.InitProperties();
    form_.Show();
    interpreter_.AddObject("grid", grid_, &grid_.Events());
}

ScriptSession::~ScriptSession() = default;

}  // namespace tabula::script
