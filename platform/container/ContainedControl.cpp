#include "platform/container/ContainedControl.h"

#include "platform/container/ControlContainer.h"

namespace tabula {

ContainedControl::~ContainedControl() {
    if (site_) site_->Container().Forget(*this);
}

}  // namespace tabula
