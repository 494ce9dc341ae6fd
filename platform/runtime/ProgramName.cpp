// The only file of the runtime services that asks the operating system anything.
#include "platform/runtime/ProgramName.h"

#ifdef __linux__
#include <unistd.h>
#endif

namespace tabula {

namespace {

constexpr std::string_view kFallbackName = "Tabula";

std::string FindProgramName() {
#ifdef __linux__
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length > 0 && static_cast<size_t>(length) < sizeof buffer)
        return ProgramNameFromPath(std::string_view(buffer, static_cast<size_t>(length)));
#endif
    return std::string(kFallbackName);
}

}  // namespace

std::string ProgramNameFromPath(std::string_view path) {
    // The kernel marks an executable replaced while it runs (a rebuild) this way.
    constexpr std::string_view kDeleted = " (deleted)";
    if (path.ends_with(kDeleted)) path.remove_suffix(kDeleted.size());
    const size_t slash = path.find_last_of("/\\");
    if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
    // A leading dot starts a hidden file's name, not an extension.
    const size_t dot = path.rfind('.');
    if (dot != std::string_view::npos && dot > 0) path = path.substr(0, dot);
    if (path.empty()) return std::string(kFallbackName);
    return std::string(path);
}

std::string ProgramName() {
    // A program's name cannot change while it runs.
    static const std::string name = FindProgramName();
    return name;
}

}  // namespace tabula
