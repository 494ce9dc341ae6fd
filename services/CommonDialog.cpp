#include "services/CommonDialog.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "platform/gdi/Color.h"
#include "platform/runtime/Error.h"
#include "platform/window/Desktop.h"
#include "services/ColorDialog.h"
#include "services/FileDialog.h"
#include "services/FontDialog.h"

namespace fs = std::filesystem;

namespace tabula {

namespace {

constexpr int32_t kDefaultFileSize = 255;

// The folder the process runs in; the root when it has gone.
fs::path WorkingFolder() {
    std::error_code error;
    fs::path folder = fs::current_path(error);
    return error ? fs::path("/") : folder;
}

bool IsFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

}  // namespace

std::string NullSeparatedFilter(std::string_view text) {
    std::string out(text);
    std::replace(out.begin(), out.end(), '|', '\0');
    out.push_back('\0');
    return out;
}

std::string TrimAtNull(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

void clsCommonDialog::Begin(int16_t action) {
    action_ = action;
    apiReturn_ = 0;
    extendedError_ = cdeNone;
    Cancelled = false;
}

void clsCommonDialog::Fail(int32_t error) {
    apiReturn_ = kDialogFailed;
    extendedError_ = error;
}

void clsCommonDialog::Cancel(bool mayRaise) {
    Cancelled = true;
    apiReturn_ = 0;
    if (mayRaise && CancelError) RaiseError(kErrCancelSelected, {}, "Cancel was selected.");
}

size_t clsCommonDialog::MaxPathLength() const {
    const int32_t size = MaxFileSize > 0 ? MaxFileSize : kDefaultFileSize;
    return static_cast<size_t>(size - 1);
}

// --- Open and save -----------------------------------------------------------------------------

void clsCommonDialog::ShowOpen() {
    RunFileDialog(cdlActionOpen);
}

void clsCommonDialog::ShowSave() {
    RunFileDialog(cdlActionSave);
}

void clsCommonDialog::RunFileDialog(int16_t action) {
    Begin(action);
    if (!Desktop::Current()) {
        Fail(cdeInitialization);
        return;
    }
    FileDialogRequest request;
    request.kind = action == cdlActionOpen ? FileDialogKind::Open : FileDialogKind::Save;
    request.caption = DialogTitle;
    // The folder shown first: InitDir, which must exist; else FileName's; else the
    // working folder.
    const fs::path working = WorkingFolder();
    if (!InitDir.empty()) {
        request.folder = ResolveTypedName(working, InitDir);
        if (!IsFolder(request.folder)) {
            Fail(cdeInvalidFileName);
            return;
        }
    } else {
        const fs::path named = ResolveTypedName(working, FileName);
        request.folder =
            !FileName.empty() && IsFolder(named.parent_path()) ? named.parent_path() : working;
    }
    request.name = !FileTitle.empty() ? FileTitle : Utf8FromPath(PathFromUtf8(FileName).filename());
    request.filters = ParseFilter(Filter);
    request.filterIndex = FilterIndex - 1;
    request.defaultExtension = DefaultExt;
    request.maxPathLength = MaxPathLength();
    request.owner = static_cast<HWND>(hdc);

    const FileDialogResult result = tabula::RunFileDialog(request);
    switch (result.outcome) {
        case FileDialogResult::Outcome::Chosen:
            FileName = result.path;
            FileTitle = result.title;
            if (!request.filters.empty())
                FilterIndex = static_cast<int16_t>(result.filterIndex + 1);
            apiReturn_ = 1;
            break;
        case FileDialogResult::Outcome::Cancelled:
            Cancel(false);
            break;
        case FileDialogResult::Outcome::PathTooLong:
            Fail(cdeBufferTooSmall);
            break;
    }
}

// --- Colour ------------------------------------------------------------------------------------

void clsCommonDialog::ShowColor() {
    Begin(cdlActionColor);
    if (!Desktop::Current()) {
        Fail(cdeInitialization);
        return;
    }
    // A colour that does not resolve starts black.
    const COLORREF initial = TranslateColorOrBlack(static_cast<OLE_COLOR>(Color));
    const ColorDialogResult result = RunColorDialog(initial, static_cast<HWND>(hdc));
    if (!result.chosen) {
        Cancel(true);
        return;
    }
    Color = static_cast<int32_t>(result.color);
    apiReturn_ = 1;
}

// --- Font --------------------------------------------------------------------------------------

void clsCommonDialog::ShowFont() {
    Begin(cdlActionFont);
    if (!Desktop::Current()) {
        Fail(cdeInitialization);
        return;
    }
    FontDescriptor initial;
    if (!FontName.empty()) initial.name = FontName;
    if (FontSize >= 1) initial.size = static_cast<float>(FontSize);
    initial.bold = FontBold;
    initial.italic = FontItalic;
    initial.underline = FontUnderline;
    initial.strikethrough = FontStrikethru;
    const FontDialogResult result = RunFontDialog(initial, static_cast<HWND>(hdc));
    if (!result.chosen) {
        Cancel(true);
        return;
    }
    FontName = result.font.name;
    FontSize = static_cast<int32_t>(std::lround(result.font.size));
    FontBold = result.font.bold;
    FontItalic = result.font.italic;
    FontUnderline = result.font.underline;
    FontStrikethru = result.font.strikethrough;
    apiReturn_ = 1;
}

// --- Printer and help -----------------------------------------------------------------------

void clsCommonDialog::ShowPrinter() {
    Begin(cdlActionPrinter);
    Fail(cdeNoDefaultPrinter);
}

void clsCommonDialog::ShowHelp() {
    Begin(cdlActionHelp);
}

}  // namespace tabula
