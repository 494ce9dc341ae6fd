#pragma once

// The open and save dialog: a name box, the files of the current folder that the chosen
// filter lets through, the folder's subfolders (".." to go up), a drop-down list of the
// filters, OK and Cancel. Names are UTF-8; entries whose names are not, and dot files,
// are never listed.
//
// OK, Enter in the name box, or a double click (Enter) on a file:
//   an empty name         enters the folder selected in the folder list, if any
//   a name with * or ?    lists the files it matches, instead of the filter's
//   a folder's name       enters that folder
//   otherwise             the path is the folder / name (DefaultExt added when the name
//                         has none); its folder must exist, and for Open the file too,
//                         else the dialog says so and stays; a path longer than the
//                         caller takes ends the dialog as a failure

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window/Messages.h"

namespace tabula {

std::filesystem::path PathFromUtf8(std::string_view text);
std::string Utf8FromPath(const std::filesystem::path& path);
// Whether `path` names a folder (false when it cannot be asked).
bool IsFolder(const std::filesystem::path& path);

struct FileFilter {
    std::string description;
    std::vector<std::string> patterns;  // globs, blanks trimmed, none empty
    friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

// "description|pattern|description|pattern", a pattern holding ';'-separated globs. A
// description left without a pattern is dropped.
std::vector<FileFilter> ParseFilter(std::string_view text);
// ';'-separated globs, blanks around each trimmed, empty ones dropped.
std::vector<std::string> SplitPatterns(std::string_view text);
// Whether `name` matches one of the globs ('*' any run of characters, '?' one), ignoring
// case. "*.*" matches every name, dotted or not; no globs match every name too.
bool MatchesPatterns(std::string_view name, const std::vector<std::string>& patterns);

struct FolderListing {
    std::vector<std::string> folders;
    std::vector<std::string> files;
};
// The subfolders of `folder` and its files that match `patterns`, each sorted ignoring
// case. A folder that cannot be read lists nothing.
FolderListing ListFolder(const std::filesystem::path& folder,
                         const std::vector<std::string>& patterns);

// The path a name typed in `folder` stands for: absolute names as they are, others joined
// to the folder; "." and ".." resolved and a trailing separator dropped.
std::filesystem::path ResolveTypedName(const std::filesystem::path& folder, std::string_view typed);
// `path` with `.extension` added when its name has no extension (`extension` with or
// without its leading dot; an empty one adds nothing).
std::filesystem::path WithDefaultExtension(std::filesystem::path path, std::string_view extension);

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    std::string caption;
    std::filesystem::path folder;  // an existing folder, shown first
    std::string name;              // the name box's text at the start
    std::vector<FileFilter> filters;
    int32_t filterIndex = 0;  // 0-based; out of range means the first
    std::string defaultExtension;
    size_t maxPathLength = 254;  // characters
    HWND owner = 0;
};

struct FileDialogResult {
    enum class Outcome { Chosen, Cancelled, PathTooLong };
    Outcome outcome = Outcome::Cancelled;
    std::string path;   // Chosen: the full path
    std::string title;  // Chosen: its last part
    int32_t filterIndex = 0;
};

// Shows the dialog modally on the current desktop until it ends.
FileDialogResult RunFileDialog(const FileDialogRequest& request);

}  // namespace tabula
