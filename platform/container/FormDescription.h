#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/container/Extender.h"
#include "platform/container/PropertyBag.h"

namespace tabula {

// A saved control: what a form file records and what a container builds a control from.
struct ControlDescription {
    // The name a control registry creates it by.
    std::string typeName;
    // The extender values the host offered, in ExtenderProperty order.
    std::vector<std::pair<ExtenderProperty, Variant>> extender;
    // The control's own settings, in the order it wrote them.
    PropertyBag properties;
};

// A saved form: its own settings ("Caption", "Left", "Top", "Width", "Height") and its
// controls in the order they were placed.
struct FormDescription {
    PropertyBag form;
    std::vector<ControlDescription> controls;
};

}  // namespace tabula
