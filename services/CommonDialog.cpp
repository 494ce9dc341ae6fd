#include "services/CommonDialog.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
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

// --- Automation ----------------------------------------------------------------------------

const DispatchTable& clsCommonDialog::Members() const {
    if (members_) return *members_;
    members_ = std::make_unique<DispatchTable>();
    clsCommonDialog* d = const_cast<clsCommonDialog*>(this);
    int32_t dispid = 0;
    const auto add = [&](const char* name, uint16_t kinds, std::function<Variant(InvokeArgs&)> get,
                         std::function<void(InvokeArgs&)> let) {
        members_->Add({name, ++dispid, kinds, {}, 0, std::move(get), std::move(let)});
    };
    const auto readOnly = [&](const char* name, std::function<Variant()> get) {
        add(name, kInvokeGet, [get](InvokeArgs&) { return get(); }, {});
    };
    // A let passes the value as the last argument; conversions raise 13 and 6.
    const auto text = [&](const char* name, std::string clsCommonDialog::*field) {
        add(
            name, kInvokeGet | kInvokeLet, [d, field](InvokeArgs&) { return Variant(d->*field); },
            [d, field](InvokeArgs& a) { d->*field = a.values.back().ToText(); });
    };
    const auto integer = [&](const char* name, int16_t clsCommonDialog::*field) {
        add(
            name, kInvokeGet | kInvokeLet, [d, field](InvokeArgs&) { return Variant(d->*field); },
            [d, field](InvokeArgs& a) { d->*field = a.values.back().ToInteger(); });
    };
    const auto number = [&](const char* name, int32_t clsCommonDialog::*field) {
        add(
            name, kInvokeGet | kInvokeLet, [d, field](InvokeArgs&) { return Variant(d->*field); },
            [d, field](InvokeArgs& a) { d->*field = a.values.back().ToLong(); });
    };
    const auto boolean = [&](const char* name, bool clsCommonDialog::*field) {
        add(
            name, kInvokeGet | kInvokeLet, [d, field](InvokeArgs&) { return Variant(d->*field); },
            [d, field](InvokeArgs& a) { d->*field = a.values.back().ToBoolean(); });
    };
    const auto method = [&](const char* name, void (clsCommonDialog::*show)()) {
        add(name, kInvokeMethod,
            [d, show](InvokeArgs&) {
                (d->*show)();
                return Variant();
            },
            {});
    };

    readOnly("Action", [d] { return Variant(d->Action()); });
    readOnly("APIReturn", [d] { return Variant(d->APIReturn()); });
    readOnly("ExtendedError", [d] { return Variant(d->ExtendedError()); });
    boolean("Cancelled", &clsCommonDialog::Cancelled);
    boolean("CancelError", &clsCommonDialog::CancelError);
    text("FileName", &clsCommonDialog::FileName);
    text("FileTitle", &clsCommonDialog::FileTitle);
    text("Filter", &clsCommonDialog::Filter);
    integer("FilterIndex", &clsCommonDialog::FilterIndex);
    text("DefaultExt", &clsCommonDialog::DefaultExt);
    text("DialogTitle", &clsCommonDialog::DialogTitle);
    text("InitDir", &clsCommonDialog::InitDir);
    number("MaxFileSize", &clsCommonDialog::MaxFileSize);
    number("flags", &clsCommonDialog::flags);
    number("hdc", &clsCommonDialog::hdc);
    number("Color", &clsCommonDialog::Color);
    text("FontName", &clsCommonDialog::FontName);
    number("FontSize", &clsCommonDialog::FontSize);
    boolean("FontBold", &clsCommonDialog::FontBold);
    boolean("FontItalic", &clsCommonDialog::FontItalic);
    boolean("FontUnderline", &clsCommonDialog::FontUnderline);
    boolean("FontStrikethru", &clsCommonDialog::FontStrikethru);
    number("Copies", &clsCommonDialog::Copies);
    number("FromPage", &clsCommonDialog::FromPage);
    number("Min", &clsCommonDialog::Min);
    number("Max", &clsCommonDialog::Max);
    text("HelpFile", &clsCommonDialog::HelpFile);
    number("HelpCommand", &clsCommonDialog::HelpCommand);
    text("HelpContext", &clsCommonDialog::HelpContext);
    text("HelpKey", &clsCommonDialog::HelpKey);
    add(
        "Object", kInvokeGet | kInvokeLet | kInvokeSet, [d](InvokeArgs&) { return d->Object; },
        [d](InvokeArgs& a) { d->Object = a.values.back(); });
    method("ShowOpen", &clsCommonDialog::ShowOpen);
    method("ShowSave", &clsCommonDialog::ShowSave);
    method("ShowColor", &clsCommonDialog::ShowColor);
    method("ShowFont", &clsCommonDialog::ShowFont);
    method("ShowPrinter", &clsCommonDialog::ShowPrinter);
    method("ShowHelp", &clsCommonDialog::ShowHelp);
    return *members_;
}

}  // namespace tabula
