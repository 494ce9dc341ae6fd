#pragma once

// The record's invariants, checked as a whole: tests run the check after their last step,
// so any path that leaves the record inconsistent shows at once.

#include <string>

#include "grid/GridState.h"

namespace tabula {

// The first invariant the record breaks, described; "" when all hold.
std::string ConsistencyFault(const GridState& s);

}  // namespace tabula
