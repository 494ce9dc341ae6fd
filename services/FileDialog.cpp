#include "services/FileDialog.h"

#include <algorithm>
#include <system_error>

#include "platform/forms/ComboBox.h"
#include "platform/forms/Label.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/TextBox.h"
#include "platform/text/CaseFold.h"
#include "platform/text/Utf8.h"
#include "platform/window/VirtualKeys.h"
#include "services/DialogParts.h"

namespace fs = std::filesystem;

namespace tabula {

namespace {

bool IsUtf8(std::string_view text) {
    return EncodeUtf8(DecodeUtf8(text)) == text;
}

// '*' matches any run of characters, '?' one; the last '*' seen is widened on a mismatch.
bool MatchesGlob(std::u32string_view pattern, std::u32string_view name) {
    constexpr size_t kNone = std::u32string_view::npos;
    size_t p = 0, n = 0, star = kNone, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
            ++p, ++n;
        } else if (p < pattern.size() && pattern[p] == U'*') {
            star = p++;
            resume = n;
        } else if (star != kNone) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*')
        ++p;
    return p == pattern.size();
}

void SortIgnoringCase(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string fa = FoldCase(a), fb = FoldCase(b);
        return fa != fb ? fa < fb : a < b;
    });
}

}  // namespace

bool IsFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

fs::path PathFromUtf8(std::string_view text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

std::string Utf8FromPath(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::vector<std::string> SplitPatterns(std::string_view text) {
    std::vector<std::string> patterns;
    while (!text.empty()) {
        const size_t semicolon = text.find(';');
        const std::string_view glob = TrimBlanks(text.substr(0, semicolon));
        if (!glob.empty()) patterns.emplace_back(glob);
        if (semicolon == std::string_view::npos) break;
        text.remove_prefix(semicolon + 1);
    }
    return patterns;
}

std::vector<FileFilter> ParseFilter(std::string_view text) {
    std::vector<std::string_view> parts;
    for (size_t start = 0;;) {
        const size_t bar = text.find('|', start);
        parts.push_back(text.substr(start, bar - start));
        if (bar == std::string_view::npos) break;
        start = bar + 1;
    }
    std::vector<FileFilter> filters;
    for (size_t i = 0; i + 1 < parts.size(); i += 2)
        filters.push_back({std::string(parts[i]), SplitPatterns(parts[i + 1])});
    return filters;
}

bool MatchesPatterns(std::string_view name, const std::vector<std::string>& patterns) {
    if (patterns.empty()) return true;
    const std::u32string folded = DecodeUtf8(FoldCase(name));
    for (const std::string& pattern : patterns) {
        if (pattern == "*.*" || MatchesGlob(DecodeUtf8(FoldCase(pattern)), folded)) return true;
    }
    return false;
}

FolderListing ListFolder(const fs::path& folder, const std::vector<std::string>& patterns) {
    FolderListing listing;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = Utf8FromPath(it->path().filename());
        // The properties hold UTF-8: a name that is not could never be handed back.
        if (name.empty() || name[0] == '.' || !IsUtf8(name)) continue;
        std::error_code statError;
        if (it->is_directory(statError)) {
            listing.folders.push_back(name);
        } else if (it->is_regular_file(statError) && MatchesPatterns(name, patterns)) {
            listing.files.push_back(name);
        }
    }
    SortIgnoringCase(listing.folders);
    SortIgnoringCase(listing.files);
    return listing;
}

fs::path ResolveTypedName(const fs::path& folder, std::string_view typed) {
    const fs::path name = PathFromUtf8(typed);
    fs::path path = (name.is_absolute() ? name : folder / name).lexically_normal();
    if (!path.has_filename() && path.has_relative_path()) path = path.parent_path();
    return path;
}

fs::path WithDefaultExtension(fs::path path, std::string_view extension) {
    if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
    if (extension.empty() || path.has_extension() || !path.has_filename()) return path;
    path += PathFromUtf8(std::string(".").append(extension));
    return path;
}

// --- The dialog ------------------------------------------------------------------------------

namespace {

class FileDialog {
public:
    explicit FileDialog(const FileDialogRequest& request);
    FileDialogResult Run();

private:
    void Navigate(const fs::path& folder);
    void FillLists();
    void ChooseFolderItem();
    void Ok();
    void Report(std::string message);

    static constexpr int32_t kWidth = 436;
    static constexpr int32_t kHeight = 286;

    const FileDialogRequest& request_;
    fs::path folder_;
    std::vector<std::string> patterns_;
    FileDialogResult result_;

    DialogForm dialog_;
    Label lblName_{dialog_.hWnd(), {8, 8, 208, 22}, "File name:"};
    TextBox txtName_{dialog_.hWnd(), {8, 24, 208, 45}};
    ChoiceList lstFiles_{dialog_.hWnd(), {8, 50, 208, 210}};
    Label lblType_{dialog_.hWnd(), {8, 214, 208, 228}, "Files of type:"};
    ComboBox cboFilter_{dialog_.hWnd(), {8, 230, 208, 251}};
    Label lblFolders_{dialog_.hWnd(), {216, 8, 346, 22}, "Folders:"};
    Label lblFolder_{dialog_.hWnd(), {216, 24, 346, 45}};
    ChoiceList lstFolders_{dialog_.hWnd(), {216, 50, 346, 210}};
    Label lblStatus_{dialog_.hWnd(), {8, 260, 346, 278}};
    CommandButton cmdOk_{dialog_.hWnd(), {354, 24, 428, 47}, "OK"};
    CommandButton cmdCancel_{dialog_.hWnd(), {354, 52, 428, 75}, "Cancel"};
};

FileDialog::FileDialog(const FileDialogRequest& request)
    : request_(request),
      dialog_(request.owner, kWidth, kHeight,
              request.caption.empty()
                  ? std::string(request.kind == FileDialogKind::Open ? "Open" : "Save As")
                  : request.caption) {
    // Names tests and scripts find the controls by.
    txtName_.SetName("txtFileName");
    lstFiles_.SetName("lstFiles");
    lstFolders_.SetName("lstFolders");
    lblFolder_.SetName("lblFolder");
    lblStatus_.SetName("lblStatus");
    cboFilter_.SetName("cboFilter");
    cmdOk_.SetName("cmdOK");
    cmdCancel_.SetName("cmdCancel");
    Control* order[] = {&txtName_, &lstFiles_, &lstFolders_, &cboFilter_, &cmdOk_, &cmdCancel_};
    int16_t index = 0;
    for (Control* control : order)
        control->SetTabIndex(index++);

    for (const FileFilter& filter : request.filters)
        cboFilter_.AddItem(filter.description);
    if (!request.filters.empty()) {
        const bool inRange =
            request.filterIndex >= 0 && request.filterIndex < int32_t(request.filters.size());
        cboFilter_.SetListIndex(inRange ? request.filterIndex : 0);
        patterns_ = request.filters[cboFilter_.ListIndex()].patterns;
    } else {
        cboFilter_.SetEnabled(false);
    }
    txtName_.SetText(request.name);
    txtName_.SetSelLength(txtName_.TextLength());

    txtName_.KeyDown = [this](int16_t& keyCode, int16_t) {
        if (keyCode != VK_RETURN) return;
        keyCode = 0;
        Ok();
    };
    lstFiles_.Click = [this] { txtName_.SetText(lstFiles_.Text()); };
    lstFiles_.ItemChosen = [this] {
        txtName_.SetText(lstFiles_.Text());
        Ok();
    };
    lstFolders_.ItemChosen = [this] { ChooseFolderItem(); };
    cboFilter_.Click = [this] {
        patterns_ = request_.filters[cboFilter_.ListIndex()].patterns;
        FillLists();
    };
    cmdOk_.Click = [this] { Ok(); };
    cmdCancel_.Click = [this] { dialog_.Cancel(); };
    dialog_.KeepEscape = [this] { return cboFilter_.DroppedDown(); };
    Navigate(request.folder);
}

FileDialogResult FileDialog::Run() {
    // The outcome stays Cancelled unless OK ended the dialog.
    dialog_.Run();
    return result_;
}

void FileDialog::Navigate(const fs::path& folder) {
    folder_ = folder;
    lblFolder_.SetCaption(Utf8FromPath(folder_));
    Report({});
    FillLists();
}

void FileDialog::FillLists() {
    const FolderListing listing = ListFolder(folder_, patterns_);
    std::vector<std::string> folders;
    if (folder_.has_relative_path()) folders.push_back("..");
    folders.insert(folders.end(), listing.folders.begin(), listing.folders.end());
    lstFolders_.SetItems(std::move(folders));
    lstFiles_.SetItems(listing.files);
}

void FileDialog::ChooseFolderItem() {
    const std::string item = lstFolders_.Text();
    if (item.empty()) return;
    Navigate(item == ".." ? folder_.parent_path() : folder_ / PathFromUtf8(item));
}

void FileDialog::Report(std::string message) {
    lblStatus_.SetCaption(std::move(message));
}

void FileDialog::Ok() {
    const std::string typed(TrimBlanks(txtName_.Text()));
    if (typed.empty()) {
        ChooseFolderItem();
        return;
    }
    const auto retry = [this](std::string message) {
        Report(std::move(message));
        txtName_.SetFocus();
        txtName_.SetSelStart(0);
        txtName_.SetSelLength(txtName_.TextLength());
    };
    if (typed.find_first_of("*?") != std::string::npos && typed.find('/') == std::string::npos) {
        patterns_ = SplitPatterns(typed);
        FillLists();
        return;
    }
    fs::path path = ResolveTypedName(folder_, typed);
    if (IsFolder(path)) {
        Navigate(path);
        txtName_.SetText({});
        return;
    }
    path = WithDefaultExtension(std::move(path), request_.defaultExtension);
    const std::string title = Utf8FromPath(path.filename());
    if (!IsFolder(path.parent_path())) {
        retry("Folder not found: " + Utf8FromPath(path.parent_path()));
        return;
    }
    std::error_code error;
    if (request_.kind == FileDialogKind::Open && !fs::is_regular_file(path, error)) {
        retry("File not found: " + title);
        return;
    }
    std::string chosen = Utf8FromPath(path);
    // A path the caller cannot take ends the dialog as a failure, never cut.
    if (Utf8Length(chosen) > request_.maxPathLength) {
        result_.outcome = FileDialogResult::Outcome::PathTooLong;
        dialog_.Cancel();
        return;
    }
    result_ = {FileDialogResult::Outcome::Chosen, std::move(chosen), title,
               std::max(cboFilter_.ListIndex(), 0)};
    dialog_.Accept();
}

}  // namespace

FileDialogResult RunFileDialog(const FileDialogRequest& request) {
    FileDialog dialog(request);
    return dialog.Run();
}

}  // namespace tabula
