#pragma once

// Tabula: the grid control. A window of its own (placed on a form like any control, not a
// tab container) holding the constituent controls and the grid's record (grid/GridRecord.h),
// and the public members of its automation interface. It is the facade: each member checks
// and stores through the record layer (grid/) and calls down into the subsystems
// (render/, input/), which take the record and never this class.
//
// Where the members live, by theme:
//   Tabula.cpp         creation, new-instance initialisation, destruction, Refresh,
//                      resize, AboutBox
//   Editing.cpp        the edit boxes' handlers, the control losing the keyboard
//   TabKeys.cpp        Tab and Shift+Tab between cells, through the form's active object
//   Events.h           the 18 events, their ids and a typed sink
//   Automation.cpp     the member table for Invoke: names, ids, parameters, conversions
//   Dimensions.cpp     Rows, Cols, ColHeader, RowHeader
//   Cells.cpp          TextMatrix, Text, the Cell... properties
//   ColumnLists.cpp    AddLookup, LookupValue, LookupItemData, RemoveLookupValue,
//                      RemoveLookup, ColHasLookup, AddButton, RemoveButton, ColHasButton
//   ColumnsRows.cpp    ColWidth, ColAlign, ColAllowEdit, ColMask, ColEditWidth,
//                      RowHeight, RowBookmark
//   Appearance.cpp     colours, grid lines, FixedStyle, BorderStyle, fonts, WordWrap,
//                      MousePointer, MouseIcon, Picture
//   Behaviour.cpp      AutoRedraw, AutoMove, AutoNewRow, selection and resizing
//                      permissions, SelectionMode, SelectText, UseTABKey, lookup options,
//                      ListBoxRows, Enabled
//   FormatString.cpp   FormatString: captions, alignments and widths from one text
//   Persistence.cpp    the settings a form file saves and loads
//   RowOperations.cpp  AddItem, RemoveItem, Clear, Reset, AutoSetup, FindCellTag, RowEmpty
//   Position.cpp       Row, Col, the block corners, BlockSelected, TopRow, LeftCol,
//                      MouseRow, MouseCol, the scroll bars' visibility
//   input/Mouse.cpp    MouseDown, MouseMove, MouseUp, DblClick (picGrid's mouse events
//                      call them, then raise the grid's own events)
//
// Life events, in order:
//   construction     the state record at its creation values, the constituents made
//   InitNew          a control newly placed on a form (the container calls it through
//                    InitProperties); reading saved properties is the other way in
//   resize, paint, focus and input, any number of times
//   destruction
//
// Every write follows three steps: store (with its conversion and check), redraw by its
// rule, announce the property's name to the container. Redraw rules: content and shape
// writes call Refresh when AutoRedraw is set, appearance writes always; Refresh is the
// one redraw entry point.
//
// Errors: members raise RuntimeError with the runtime's numbers (6 for a value outside a
// 16-bit field, 9 for an index outside the cell table or an array) before they change
// anything.
//
// Several members share their names with members of Control and hide them: BackColor,
// ForeColor, Font, MousePointer, Enabled and Refresh are the grid's properties here, and
// MouseDown, MouseMove, MouseUp and DblClick are the grid's mouse handlers, hiding the
// event callbacks of the same names (the grid's events go out through Events(); its
// window's own callbacks stay unused). The control's own surface is reached through
// Control:: where the grid needs it.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "edit/ColumnMask.h"
#include "grid/Events.h"
#include "grid/GridRecord.h"
#include "grid/GridState.h"
#include "platform/container/ContainedControl.h"
#include "platform/container/Picture.h"
#include "platform/forms/DropDownButton.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/ScrollBar.h"
#include "platform/forms/TextBox.h"
#include "platform/runtime/Dispatch.h"

namespace tabula {

class Tabula : public Control, public ContainedControl, public Dispatchable {
public:
    Tabula(HWND parent, const Rect& rect);
    ~Tabula() override;

    // --- Life cycle and methods (Tabula.cpp) ---------------------------------------------
    // Gives a newly placed control its defaults: 5 data columns, 1 data row, headers on.
    void InitNew();
    void InitProperties() override { InitNew(); }
    // The saved settings (Persistence.cpp): 36 keys in their order, then "Enabled". A
    // value the grid refuses on reading is reported to the container (Site::PropertyRefused)
    // and leaves its setting at the default; nothing stops the load.
    void WriteProperties(PropertyBag& bag) override;
    void ReadProperties(const PropertyBag& bag) override;

    // The redraw procedure.
    void Refresh();
    // How many times the redraw procedure ran: lets tests see each member's redraw rule.
    int64_t RedrawCount() const { return g_.redrawCount; }

    // Spreads picGrid's width evenly over the data columns and redraws. Without data
    // columns it raises 11 (division by zero) with nothing changed.
    void AutoSizeColumns();

    // Shows a small modal box naming the control.
    void AboutBox();
    // Navigates as the key pressed on the cells would (arrows; Tab with UseTABKey, Shift
    // held for backwards), without raising KeyDown itself. Hides the field of the same
    // name inherited from Control: picGrid's keys arrive here.
    void KeyDown(int16_t keyCode, int16_t shift);
    // Wheel notches (positive away from the user): one moves a row, more at once (or less
    // than half of one) page. The keys, x and y are not used.
    void MouseWheel(int32_t mouseKeys, int32_t rotation, int32_t x, int32_t y);

    // The automation interface: every member by name (any case) or dispatch id, for
    // Invoke. Raises the same errors as the typed members.
    const DispatchTable& Members() const override;

    // The grid's events: sinks advise here; the grid's own subsystems raise through it.
    TabulaEventSource& Events() { return g_.events; }

    // The state record, for tests.
    GridState& State() { return s_; }
    const GridState& State() const { return s_; }
    // The record the grid's subsystems work on, for tests that drive them directly.
    GridRecord& Record() { return g_; }
    // The first invariant of the record that does not hold, described; "" when all do.
    // Tests run it after their last step.
    std::string CheckConsistency() const;

    // --- Dimensions and headers (Dimensions.cpp) -----------------------------------------
    int32_t Rows() const { return s_.Rows; }
    // Negative counts raise 9, counts above 32767 raise 6 (the scroll bar's range), and a
    // table too large for memory raises 7, all before anything changes. Lowers Row, Row1
    // and Row2 to the new count.
    void SetRows(int32_t rows);
    int32_t Cols() const { return s_.Cols; }
    void SetCols(int32_t cols);
    bool ColHeader() const { return s_.ColHeader; }
    void SetColHeader(bool on);
    bool RowHeader() const { return s_.RowHeader; }
    void SetRowHeader(bool on);

    // --- Cell content and attributes (Cells.cpp) ---------------------------------------
    // Cells outside 0..Rows by 0..Cols raise 9. Colours below 0 mean the grid's colour.
    std::string TextMatrix(int32_t row, int32_t col) const;
    // Stores the text as FormatForColumn normalises it for the column.
    void SetTextMatrix(int32_t row, int32_t col, std::string_view text);
    // The current cell's text.
    std::string Text() const;
    void SetText(std::string_view text);
    int32_t CellBackColor(int32_t row, int32_t col) const;
    void SetCellBackColor(int32_t row, int32_t col, int32_t color);
    int32_t CellForeColor(int32_t row, int32_t col) const;
    void SetCellForeColor(int32_t row, int32_t col, int32_t color);
    // "" means the grid's font.
    std::string CellFontName(int32_t row, int32_t col) const;
    void SetCellFontName(int32_t row, int32_t col, std::string_view name);
    int16_t CellFontSize(int32_t row, int32_t col) const;
    void SetCellFontSize(int32_t row, int32_t col, int16_t size);
    bool CellFontBold(int32_t row, int32_t col) const;
    void SetCellFontBold(int32_t row, int32_t col, bool on);
    bool CellFontItalic(int32_t row, int32_t col) const;
    void SetCellFontItalic(int32_t row, int32_t col, bool on);
    bool CellFontUnderline(int32_t row, int32_t col) const;
    void SetCellFontUnderline(int32_t row, int32_t col, bool on);
    bool CellFontStrikeThru(int32_t row, int32_t col) const;
    void SetCellFontStrikeThru(int32_t row, int32_t col, bool on);
    // Reads "" (and False) for cells above the counts; only negative indexes raise 9.
    std::string CellTag(int32_t row, int32_t col) const;
    void SetCellTag(int32_t row, int32_t col, std::string_view tag);
    bool CellReadOnly(int32_t row, int32_t col) const;
    void SetCellReadOnly(int32_t row, int32_t col, bool on);

    // --- Row and content operations (RowOperations.cpp) --------------------------------
    // Adds one data row from tab-separated fields (the first field into column 1), after
    // `afterRow` when that is 0 .. the old last row, else at the end. BeforeAddRow may
    // cancel it; the last row becomes current and AfterAddRow reports the row filled.
    // Rows past 32767 raise 6 before anything changes. A field past the last column
    // raises 9, and a text of more than 32767 characters 6, with the row already added.
    void AddItem(std::string_view rowData, std::optional<int32_t> backColor = {},
                 std::optional<int32_t> foreColor = {}, std::optional<int32_t> afterRow = {});
    // Removes data row 1..Rows; rows below move up, row heights and bookmarks stay with
    // their index. BeforeDeleteRow may cancel it. Any other row raises 9 with nothing
    // changed; without data rows nothing happens.
    void RemoveItem(int32_t row);
    // Leaves one data row with empty texts; header texts, colours and column settings stay.
    void Clear();
    // A new table of 5 columns and 1 row with every cell, row and column at its defaults.
    void Reset();
    // Discards every data row, then sets Rows, Cols, the header flags and the format
    // string in one call and redraws. The counts are checked first (9 negative, 6 past
    // 32767, 7 too large for memory): a refused call changes nothing.
    void AutoSetup(int32_t rows, int32_t cols, bool rowHeader, bool colHeader,
                   std::string formatString);
    // The first cell, by rows then columns and headers included, whose tag equals
    // `value` regardless of case; -1, -1 when none does.
    void FindCellTag(std::string_view value, int32_t& row, int32_t& col) const;
    // Whether the row's data columns hold nothing but spaces (check marks do not count).
    // A row outside 0..Rows raises 9.
    bool RowEmpty(int32_t row) const;

    // --- Lookup values and button columns (ColumnLists.cpp) ------------------------------
    // Lists kept in the order of the calls and never de-duplicated; a column above 32767
    // raises 6. None of them redraws: the in-cell buttons follow at their next placement.
    void AddLookup(int32_t col, std::string value, Variant itemData = {});
    // The first value of the column with that item data; "" when none.
    std::string LookupValue(int32_t col, const Variant& itemData) const;
    // The item data of the column's first entry with exactly that value; -1 when none.
    Variant LookupItemData(int32_t col, std::string_view value) const;
    void RemoveLookupValue(int32_t col, std::string_view value);
    void RemoveLookup(int32_t col);
    bool ColHasLookup(int32_t col) const;
    // The open lookup list (the drop-down of a lookup column), null while none is open.
    PopupList* LookupForm() const { return g_.LookupForm; }
    void AddButton(int32_t col);
    void RemoveButton(int32_t col);
    bool ColHasButton(int32_t col) const;

    // --- Columns and rows (ColumnsRows.cpp) ----------------------------------------------
    // Indexes outside the arrays (0..Cols, 0..Rows, never shorter than 0..1) raise 9.
    int32_t ColWidth(int32_t col) const;
    // Col -1 sets every column 0..Cols. Widths beyond 16 bits raise 6; negative ones
    // become 0.
    void SetColWidth(int32_t col, int32_t width);
    int32_t ColAlign(int32_t col) const;
    // Values other than LeftAlign, CenterAlign, RightAlign are ignored.
    void SetColAlign(int32_t col, int32_t align);
    bool ColAllowEdit(int32_t col) const;
    // Also makes the column's data cells read-only, or editable again.
    void SetColAllowEdit(int32_t col, bool on);
    int32_t ColMask(int32_t col) const;
    // Any 16-bit value; checkmark fills the column's data cells with "0".
    void SetColMask(int32_t col, int32_t mask);
    int16_t ColEditWidth(int32_t col) const;
    // Ignored for a column outside 0..Cols or a negative width.
    void SetColEditWidth(int32_t col, int16_t width);
    int32_t RowHeight(int32_t row) const;
    // Heights beyond 16 bits raise 6; negative ones become 0.
    void SetRowHeight(int32_t row, int32_t height);
    Variant RowBookmark(int32_t row) const;
    void SetRowBookmark(int32_t row, const Variant& bookmark);

    // --- Appearance (Appearance.cpp) -----------------------------------------------------
    // The data-cell colours, shared by every grid of the thread.
    OLE_COLOR BackColor() const;
    void SetBackColor(OLE_COLOR color);
    OLE_COLOR ForeColor() const;
    void SetForeColor(OLE_COLOR color);
    OLE_COLOR BackColorAlt() const { return s_.BackColorAlt; }
    void SetBackColorAlt(OLE_COLOR color);
    bool UseBackColorAlt() const { return s_.UseBackColorAlt; }
    void SetUseBackColorAlt(bool on);
    OLE_COLOR BackColorFixed() const { return s_.BackColorFixed; }
    void SetBackColorFixed(OLE_COLOR color);
    OLE_COLOR ForeColorFixed() const { return s_.ForeColorFixed; }
    void SetForeColorFixed(OLE_COLOR color);
    OLE_COLOR BackColorBkg() const { return s_.BackColorBkg; }
    void SetBackColorBkg(OLE_COLOR color);
    OLE_COLOR GridLineColor() const { return s_.GridLineColor; }
    void SetGridLineColor(OLE_COLOR color);
    bool ShowGrid() const { return s_.ShowGrid; }
    void SetShowGrid(bool on);
    bool GridSolid() const { return s_.GridSolid; }
    void SetGridSolid(bool on);
    int16_t FixedStyle() const { return s_.FixedStyle; }
    // Any 16-bit value; only a change is stored, redrawn and announced.
    void SetFixedStyle(int32_t style);
    int16_t BorderStyle() const { return s_.BorderStyle; }
    // Any 16-bit value; a change repaints the control's own surface (not the cells).
    void SetBorderStyle(int32_t style);
    // The fonts are shared references. Null raises 380.
    FontPtr Font() const { return s_.Font; }
    void SetFont(FontPtr font);
    FontPtr FontFixed() const { return s_.FontFixed; }
    void SetFontFixed(FontPtr font);
    FontPtr FontEdit() const { return s_.FontEdit; }
    void SetFontEdit(FontPtr font);
    bool WordWrap() const { return s_.WordWrap; }
    // Chooses the edit box: txtMulti when set, txtSingle otherwise.
    void SetWordWrap(bool on);
    int16_t MousePointer() const { return Control::MousePointer(); }
    void SetMousePointer(int32_t pointer);
    PicturePtr MouseIcon() const { return mouseIcon_; }
    void SetMouseIcon(PicturePtr icon);
    // A snapshot of picGrid's image.
    PicturePtr Picture() const;

    // --- Behaviour (Behaviour.cpp) -------------------------------------------------------
    bool AutoRedraw() const { return s_.AutoRedraw; }
    // Redraws whatever the new value.
    void SetAutoRedraw(bool on);
    bool AutoMove() const { return s_.AutoMove; }
    void SetAutoMove(bool on);
    bool AutoNewRow() const { return s_.AutoNewRow; }
    void SetAutoNewRow(bool on);
    bool AllowSelection() const { return s_.AllowSelection; }
    void SetAllowSelection(bool on);
    bool AllowUserResizing() const { return s_.AllowUserResizing; }
    void SetAllowUserResizing(bool on);
    int16_t SelectionMode() const { return s_.SelectionMode; }
    void SetSelectionMode(int32_t mode);
    bool SelectText() const { return s_.SelectText; }
    void SetSelectText(bool on);
    bool UseTABKey() const { return s_.UseTABKey; }
    void SetUseTABKey(bool on);
    bool LookupAllowEdit() const { return s_.LookupAllowEdit; }
    void SetLookupAllowEdit(bool on);
    bool UseItemData() const { return s_.UseItemData; }
    void SetUseItemData(bool on);
    int16_t ListBoxRows() const { return s_.ListBoxRows; }
    void SetListBoxRows(int16_t rows);
    bool Enabled() const { return Control::Enabled(); }
    void SetEnabled(bool on);
    const std::string& FormatString() const { return s_.FormatString; }
    // Column captions "<left|^centre|>right", then after ";" row captions: stored, applied
    // (Cols and Rows only ever grow; widths follow the captions in the header font), then
    // redrawn. An empty field past the last column raises 9 and a caption wider than 16
    // bits raises 6, the fields before it applied.
    void SetFormatString(std::string text);

    // --- Position and selection (Position.cpp) -------------------------------------------
    int32_t Row() const { return s_.Row; }
    // Clamped into 0..Rows (0..Cols for SetCol); the focus rectangle moves, picGrid takes
    // the keyboard focus and RowColChange follows when the current cell changed. A row
    // outside the page scrolls into view and reshapes the block to the selection mode.
    void SetRow(int32_t row);
    int32_t Col() const { return s_.Col; }
    void SetCol(int32_t col);
    // The block's corners: stored without redraw or event, clamped into 0..Rows and
    // 0..Cols.
    int32_t Row1() const { return s_.Row1; }
    void SetRow1(int32_t row);
    int32_t Col1() const { return s_.Col1; }
    void SetCol1(int32_t col);
    int32_t Row2() const { return s_.Row2; }
    void SetRow2(int32_t row);
    int32_t Col2() const { return s_.Col2; }
    void SetCol2(int32_t col);
    // Whether the block covers more than one cell.
    bool BlockSelected() const;
    int32_t TopRow() const { return s_.TopRow; }
    // Makes the row (at most Rows) current and scrolls it to the top through the vertical
    // bar; RowColChange follows when the current cell changed.
    void SetTopRow(int32_t row);
    int32_t LeftCol() const { return s_.LeftCol; }
    // Scrolls the column (1..the bar's maximum) to the left edge and makes it current,
    // without RowColChange.
    void SetLeftCol(int32_t col);
    int32_t MouseRow() const { return s_.MouseRow; }
    int32_t MouseCol() const { return s_.MouseCol; }
    // The cell's left (top) pixel in picGrid, or -1 for a cell outside the table or out
    // of view. Never raises.
    int32_t CellLeft(int32_t row, int32_t col);
    int32_t CellTop(int32_t row, int32_t col);
    bool HorizontalScrollbar() const { return scrHorizontal.Visible(); }
    bool VerticalScrollbar() const { return scrVertical.Visible(); }

    // --- Mouse (handled in input/Mouse.cpp) -------------------------------------------------
    // The handlers of picGrid's mouse input, public so that a host may drive them too.
    // Coordinates are picGrid's pixels. A press moves the current cell and the block,
    // starts a drag selection or a resize by a header boundary, toggles check marks and
    // raises RowColChange; a move drags the selection or the sizing bar and sets MouseRow,
    // MouseCol and the sizing pointer; a release ends a resize by setting the new size; a
    // double click on a column boundary widens the column to its longest text.
    void MouseDown(int16_t button, int16_t shift, float x, float y);
    void MouseMove(int16_t button, int16_t shift, float x, float y);
    void MouseUp(int16_t button, int16_t shift, float x, float y);
    void DblClick();

    // --- Constituent controls ------------------------------------------------------------
    PictureBox picGrid;
    ScrollBar scrVertical;
    ScrollBar scrHorizontal;
    TextBox txtSingle;
    TextBox txtMulti;
    CommandButton cmdButton;
    DropDownButton cmdLookup;
    PictureBox picSizer;

protected:
    // Clears the control's own surface around picGrid; the border is drawn on it.
    void Paint() override;
    void OnResize() override;
    // The control's own surface (the border around the cells) does not show the focus.
    void OnFocusChanged(bool) override {}

private:
    // One saved setting: its key, its default in the bag, whether a save may leave it out
    // when it equals that default, and for plain values how it is read and stored.
    struct PersistedSetting {
        enum Kind { Plain, Font, Picture };
        const char* key;
        Kind kind;
        Variant bagDefault;
        bool writtenWithDefault;
        Variant (*read)(const Tabula&);
        // Checks as the public write does (and enumerations their range), then stores
        // without redrawing or announcing.
        void (*store)(Tabula&, const Variant&);
    };
    // In the order a save writes them.
    static const std::vector<PersistedSetting>& PersistedSettings();
    static const PersistedSetting& FindSetting(std::string_view key);
    void ReadSetting(const PropertyBag& bag, std::string_view key);
    FontPtr& FontField(std::string_view key);
    FontDescriptor AmbientFontOrDefault() const;

    // Tab between cells (TabKeys.cpp): the grid's window's WM_SETFOCUS subscription in
    // run mode, and the form's active object that takes Tab while UseTABKey is set.
    class TabHook;
    void SetTabHook(bool enable);
    void ActivateTabKeys();
    void DeactivateTabKeys();
    // Tab (down or up) for the grid: an edit is stored, then the cells move. False for any
    // other key, or while UseTABKey is off.
    bool PickNavigationKey(HWND target, UINT message, WPARAM vk);
    // A key on the cells: the application's KeyDown event, then the grid's navigation.
    void CellsKeyDown(int16_t& keyCode, int16_t shift);

    void Announce(std::string_view name) { g_.Announce(name); }
    void RedrawIfAuto();
    // Places picGrid and the scroll bars in the control's client area.
    void PlaceConstituents();
    // The control surface's background: light grey with a border, else BackColorBkg.
    void ApplySurfaceColor();
    void StoreFont(FontPtr& field, FontPtr font, std::string_view name);
    // Applies the stored FormatString (FormatString.cpp).
    void ApplyFormatString();
    void ApplyColumnCaption(int32_t col, std::string_view field);
    void ApplyRowCaption(int32_t row, std::string_view field);
    void BlankColumnCaption(int32_t col);
    int16_t CaptionWidth(std::string_view caption);
    // AddItem's steps: the fields into row `row`; scrolling the new last row into view.
    void StoreRowFields(int32_t row, std::string_view rowData);
    void ScrollLastRowIntoView();
    // The edit boxes' key and focus handlers (Editing.cpp).
    void WireEditBox(TextBox& box);
    // Whether the keyboard is now outside the control and its constituents.
    bool KeyboardLeftControl() const;
    // The whole control lost the keyboard: the edit ends, stored, and the wheel hook goes.
    void ExitFocus();
    // Anything that moves the current cell, reshapes the table or scrolls stores an edit
    // in progress first, and closes an open lookup list.
    void EndEditFirst();
    // The in-cell buttons are hidden whenever rows may have moved under them.
    void HideCellButtons();
    // Erases the focus rectangle, makes the cell current and draws the rectangle there.
    void MoveFocusCell(int32_t row, int32_t col);

    // Declared after the constituents, which it refers to.
    GridRecord g_;
    GridState& s_ = g_.state;
    // The structured masks' objects, one each for the grid's life; the editor applies them.
    edit::ColumnMasks masks_;
    std::unique_ptr<TabHook> tabHook_;
    PicturePtr mouseIcon_;
    // Built on first use: each entry calls this grid.
    mutable std::unique_ptr<DispatchTable> members_;
};

}  // namespace tabula
