#pragma once

// The common dialogs behind one set of properties: calling code fills the properties,
// calls a Show... method and reads the results from the properties. The dialogs are modal
// forms built from the runtime's own controls (FileDialog, ColorDialog, FontDialog).
//
// Outcome of a Show..., read from APIReturn, Cancelled and ExtendedError:
//   chosen      APIReturn 1, Cancelled False, the result properties written
//   cancelled   APIReturn 0, Cancelled True, nothing else changes (Cancel, Esc, the form
//               closed); the colour and font dialogs raise 2001 when CancelError is set
//   failed      APIReturn kDialogFailed, ExtendedError says why, Cancelled False, nothing
//               else changes
// APIReturn, ExtendedError and Cancelled are reset at the start of every Show....

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/runtime/Dispatch.h"
#include "platform/runtime/Variant.h"

namespace tabula {

// Which dialog ran last: the value of Action.
enum : int16_t {
    cdlActionOpen = 1,
    cdlActionSave = 2,
    cdlActionColor = 3,
    cdlActionFont = 4,
    cdlActionPrinter = 5,
    cdlActionHelp = 6,
};

// APIReturn of a dialog that failed (neither chosen, 1, nor cancelled, 0).
constexpr int32_t kDialogFailed = -1;

// ExtendedError values.
enum ECommonDialogError : int32_t {
    cdeNone = 0,
    // No desktop to show the dialog on.
    cdeInitialization = 0x0002,
    cdeNoDefaultPrinter = 0x1008,
    // InitDir names no folder.
    cdeInvalidFileName = 0x3002,
    // The chosen path is longer than MaxFileSize - 1 characters.
    cdeBufferTooSmall = 0x3003,
};

// Raised by a cancelled colour or font dialog when CancelError is set.
constexpr int32_t kErrCancelSelected = 2001;

// The filter in its null-separated form: every '|' becomes a NUL and one NUL is appended,
// so that with the text's own terminator the list ends in two.
std::string NullSeparatedFilter(std::string_view text);
// The characters before the first NUL; all of `text` when it holds none.
std::string TrimAtNull(std::string_view text);

class clsCommonDialog final : public Dispatchable {
public:
    clsCommonDialog() = default;
    clsCommonDialog(const clsCommonDialog&) = delete;
    clsCommonDialog& operator=(const clsCommonDialog&) = delete;

    // --- Outcome of the last dialog (read-only) ------------------------------------------
    int16_t Action() const { return action_; }
    int32_t APIReturn() const { return apiReturn_; }
    int32_t ExtendedError() const { return extendedError_; }

    bool Cancelled = false;
    bool CancelError = false;

    // --- Open and save -------------------------------------------------------------------
    std::string FileName;
    std::string FileTitle;
    std::string Filter;
    int16_t FilterIndex = 0;
    std::string DefaultExt;
    std::string DialogTitle;
    std::string InitDir;
    int32_t MaxFileSize = 0;  // characters of the chosen path + 1; 0 (or less) means 255
    int32_t flags = 0;        // stored
    int32_t hdc = 0;          // the owner window the dialog is centred on; 0 for none

    // --- Colour and font -----------------------------------------------------------------
    int32_t Color = 0;
    std::string FontName;
    int32_t FontSize = 0;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    bool FontStrikethru = false;

    // --- Printer and help (stored) ---------------------------------------------------------
    int32_t Copies = 0;
    int32_t FromPage = 0;
    int32_t Min = 0;
    int32_t Max = 0;
    std::string HelpFile;
    int32_t HelpCommand = 0;
    std::string HelpContext;
    std::string HelpKey;
    Variant Object;

    void ShowOpen();
    void ShowSave();
    // Color preselected (a system colour as it resolves); OK writes the chosen colour.
    void ShowColor();
    // The font properties preselected (an empty FontName or a FontSize below 1 as the
    // ambient default); OK writes them back, FontName as the face is listed and FontSize
    // rounded to whole points.
    void ShowFont();
    // No printer is ever available: the call fails with cdeNoDefaultPrinter.
    void ShowPrinter();
    // Does nothing: APIReturn 0.
    void ShowHelp();

    // Every property above (Action, APIReturn and ExtendedError get only; Object get, let
    // and set) and the six Show... methods.
    const DispatchTable& Members() const override;

private:
    // Resets the outcome and records which dialog runs.
    void Begin(int16_t action);
    void Fail(int32_t error);
    // A cancel: Cancelled, APIReturn 0; raises 2001 when `mayRaise` and CancelError.
    void Cancel(bool mayRaise);
    void RunFileDialog(int16_t action);
    // The longest chosen path the caller takes, in characters.
    size_t MaxPathLength() const;

    int16_t action_ = 0;
    int32_t apiReturn_ = 0;
    int32_t extendedError_ = 0;
    mutable std::unique_ptr<DispatchTable> members_;
};

}  // namespace tabula
