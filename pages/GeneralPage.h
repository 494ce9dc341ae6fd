#pragma once

#include "pages/BoundPage.h"

namespace tabula {

// The "General" page: the grid's most used settings, each field bound to the grid's
// automation property of the same name. Any selected control that has a property (a
// command button's Enabled, say) takes that field too.
class GeneralPage final : public BoundPage {
public:
    explicit GeneralPage(HWND parent);

protected:
    std::optional<Variant> Read(Site& site, const BoundField& field) override;
    void Write(Site& site, const BoundField& field, const Variant& value) override;
};

}  // namespace tabula
