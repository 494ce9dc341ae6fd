#pragma once

// The runtime's intrinsic controls as a form designer places them beside the grid. Each
// registered type makes the forms runtime's own control (a CommandButton, a Label, ...)
// that is also a ContainedControl, so it initialises, saves and loads its settings through
// its container, and a Dispatchable, so scripts, property pages and the designer reach its
// properties by name or DISPID: dynamic_cast<Dispatchable*>(&site->GetControl())->Members()
// lists them for any placed control.
//
//   Type              Named     Its own members (besides the common ones below)
//   VB.CommandButton  Command1  Caption
//   VB.Label          Label1    Caption, Alignment, AutoSize, WordWrap, UseMnemonic
//   VB.TextBox        Text1     Text, MaxLength, Locked, Alignment, BorderStyle,
//                               HideSelection, MultiLine (read only)
//   VB.CheckBox       Check1    Caption, Value
//   VB.Frame          Frame1    Caption
//   VB.ListBox        List1     IntegralHeight, TopIndex*, ListIndex*, List(Index)*,
//                               ListCount (read only), Text (read only), AddItem, RemoveItem,
//                               Clear
//   VB.ComboBox       Combo1    ListIndex*, List(Index)*, ListCount, Text and Style (read
//                               only), AddItem, RemoveItem, Clear
//   VB.PictureBox     Picture1  DrawStyle, Cls
//   VB.Image          Image1    Stretch, Picture (an object, written with Set)
//
// Every type has BackColor, ForeColor, Enabled, FontName, FontSize, FontBold, FontItalic,
// FontUnderline, FontStrikethru and MousePointer. (Name, position, visibility, tab order
// and tool tip are the extender's: see Extender.h.) Members marked * are run-time state a
// form file does not keep; so are the read-only ones. A text box is single-line: MultiLine
// is fixed when the control is made.
//
// Writes go through the control's own setters after the checks a designer's property
// browser makes: conversions raise 13 (type mismatch) and 6 (overflow) as Variant's do;
// 380 (invalid property value) comes for an enumeration outside its values (Alignment 0-2,
// BorderStyle 0-1, Value 0-2, DrawStyle 0-6, MousePointer 0-15 or 99), a colour that is
// neither an RGB value nor a system colour, an empty font name, a font size outside
// (0, 2048] points, a negative MaxLength and a ListIndex outside -1..ListCount-1. Each
// write through the member table tells the container (Site::PropertyChanged).
//
// A new instance (InitProperties) takes the container's ambient font and shows its name,
// which the container gives it before InitProperties: the caption of a command button,
// label, check box or frame, a text box's text. A form file keeps the font under "Font"
// (omitted when it is the ambient font) and every other saved property under its member's
// name, omitted when it equals the value a freshly made control has. Loading reads them
// back through the same checks; a value the control refuses is reported to the container
// (Site::PropertyRefused) and that property keeps its default while loading goes on.

#include <cstdint>

#include "platform/container/ControlRegistry.h"

namespace tabula {

// The intrinsic controls' DISPIDs. Properties OLE has stock ids for carry them; the
// others are numbered from 1.
enum IntrinsicDispid : int32_t {
    kDispValue = 0,
    kDispAutoSize = -500,
    kDispBackColor = -501,
    kDispBorderStyle = -504,
    kDispDrawStyle = -508,
    kDispForeColor = -513,
    kDispEnabled = -514,
    kDispText = -517,
    kDispCaption = -518,
    kDispMousePointer = -521,
    kDispPicture = -523,
    kDispListIndex = -526,
    kDispList = -528,
    kDispListCount = -531,
    kDispMaxLength = -533,
    kDispWordWrap = -536,
    kDispMultiLine = -537,
    kDispFontName = 1,
    kDispFontSize,
    kDispFontBold,
    kDispFontItalic,
    kDispFontUnderline,
    kDispFontStrikethru,
    kDispAlignment,
    kDispUseMnemonic,
    kDispLocked,
    kDispHideSelection,
    kDispIntegralHeight,
    kDispTopIndex,
    kDispStretch,
    kDispStyle,
    kDispAddItem,
    kDispRemoveItem,
    kDispClear,
    kDispCls,
};

// Registers the types above, each with its factory and the name its controls are named
// after.
void RegisterIntrinsicControls(ControlRegistry& registry);

}  // namespace tabula
