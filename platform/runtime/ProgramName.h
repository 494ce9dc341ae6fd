#pragma once

#include <string>
#include <string_view>

namespace tabula {

// The running program's file name without directory or extension ("tabula-demo"), the
// default source of raised errors. "Tabula" when the system does not say.
std::string ProgramName();

// The name ProgramName derives from an executable's path; exposed so the rules can be
// checked without an operating system.
std::string ProgramNameFromPath(std::string_view path);

}  // namespace tabula
