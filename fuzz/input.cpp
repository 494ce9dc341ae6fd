// A person's mouse and keyboard on a small grid through the headless host: clicks, double
// clicks, drags, key presses, typed text and wheel turns at any point and with any code,
// the record checked after each. Nothing a person does may raise an error to the host.
//
// The phone column offers a lookup list and the date column a cell button.
//
// Input: a settings byte (bit 0 AllowUserResizing, 1 select by row, 2 WordWrap and
// UseItemData, 3
// UseTABKey, 4 AutoNewRow, 5 AutoMove, 6 no data rows, 7 no data columns) and the mask of
// column 2, then events: a byte whose value modulo 11 is the event and whose value
// divided by 11 picks the window a mouse event goes to, and the event's arguments. A
// coordinate is a byte b (b - 20), or for b >= 0xF8 one of the ends of 32 bits or four
// bytes of any value.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzGrid.h"
#include "fuzz/FuzzInput.h"
#include "platform/window/VirtualKeys.h"

using namespace tabula;

namespace {

int32_t Coordinate(fuzz::FuzzInput& in) {
    static constexpr int32_t kEdges[] = {INT32_MIN, INT32_MAX, INT32_MIN + 1, INT32_MAX - 1,
                                         -100000,   100000,    65536};
    const uint8_t b = in.Byte();
    if (b < 0xF8) return b - 20;
    return b == 0xFF ? in.Int32() : kEdges[b - 0xF8];
}

// Keys the grid handles itself for small values, any virtual key for the others.
uint8_t Key(fuzz::FuzzInput& in) {
    static constexpr uint8_t kKeys[] = {
        VK_LEFT,  VK_RIGHT,   VK_UP,     VK_DOWN,  VK_HOME,   VK_END,  VK_PRIOR,  VK_NEXT,
        VK_TAB,   VK_RETURN,  VK_ESCAPE, VK_SPACE, VK_DELETE, VK_BACK, VK_F1 + 1, VK_F1 + 3,
        VK_SHIFT, VK_CONTROL, VK_MENU,   '1',      '2',       'A',     'C',       'V',
        'X',      'Z',        VK_INSERT, '0',      '/',       '9',     '-',       'P'};
    const uint8_t b = in.Byte();
    return b < 32 ? kKeys[b] : b;
}

HWND Target(Tabula& grid, Form& form, int which) {
    switch (which % 6) {
        case 1:
            return grid.hWnd();
        case 2:
            return grid.scrVertical.hWnd();
        case 3:
            return grid.scrHorizontal.hWnd();
        case 4:
            return form.hWnd();
        case 5:
            return grid.txtSingle.hWnd();
        default:
            return grid.picGrid.hWnd();
    }
}

void Configure(Tabula& grid, fuzz::FuzzInput& in) {
    const uint8_t settings = in.Byte();
    const int32_t mask = in.Range(0, 11);
    grid.AutoSetup(6, 5, true, true, "<Name|>Amount|^Done|Date|Phone");
    grid.SetColMask(2, mask);
    grid.SetColMask(3, checkmark);
    grid.SetColMask(4, DateOnly);
    grid.SetColMask(5, Phone);
    grid.SetTextMatrix(1, 1, "Anna");
    grid.SetTextMatrix(2, 1, "a longer name than the column");
    grid.SetTextMatrix(1, 2, "12.5");
    grid.SetTextMatrix(2, 3, "1");
    grid.SetTextMatrix(1, 4, "07/04/2001");
    grid.SetColAllowEdit(1, true);
    grid.SetColAllowEdit(2, true);
    grid.SetColAllowEdit(4, true);
    grid.SetColAllowEdit(5, true);
    // Column 5 picks from a list (typing opens it), column 4 has its cell button.
    grid.AddLookup(5, "555-123-4567", "home");
    grid.AddLookup(5, "555-987-6543", int32_t{7});
    grid.AddLookup(5, "Other");
    grid.AddButton(4);
    grid.SetUseItemData(settings & 4);
    grid.SetAllowUserResizing(settings & 1);
    if (settings & 2) grid.SetSelectionMode(SelectionByRow);
    grid.SetWordWrap(settings & 4);
    grid.SetUseTABKey(settings & 8);
    grid.SetAutoNewRow(settings & 16);
    grid.SetAutoMove(settings & 32);
    if (settings & 64) grid.SetRows(0);
    if (settings & 128) grid.SetCols(0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    fuzz::FuzzGrid g;
    Tabula& grid = g.grid;
    HeadlessHost& host = g.host;
    Configure(grid, in);
    fuzz::ExpectConsistent(grid, "the settings");

    while (!in.Empty()) {
        const uint8_t b = in.Byte();
        const HWND target = Target(grid, g.form, b / 11);
        const char* name = "";
        switch (b % 11) {
            case 0: {
                name = "a click";
                const int32_t x = Coordinate(in), y = Coordinate(in);
                host.Click(target, x, y, in.Range(0, 2));
                break;
            }
            case 1: {
                name = "a double click";
                const int32_t x = Coordinate(in), y = Coordinate(in);
                host.DoubleClick(target, x, y);
                break;
            }
            case 2: {
                name = "a drag";
                const int32_t x1 = Coordinate(in), y1 = Coordinate(in);
                const int32_t x2 = Coordinate(in), y2 = Coordinate(in);
                host.Drag(target, x1, y1, x2, y2, in.Range(1, 8));
                break;
            }
            case 3: {
                name = "a mouse move";
                const int32_t x = Coordinate(in), y = Coordinate(in);
                host.MouseMove(target, x, y);
                break;
            }
            case 4:
            case 5: {
                name = b % 11 == 4 ? "a button press" : "a button release";
                const int32_t x = Coordinate(in), y = Coordinate(in);
                const int button = in.Range(0, 2);
                b % 11 == 4 ? host.MouseDown(target, x, y, button)
                            : host.MouseUp(target, x, y, button);
                break;
            }
            case 6: {
                name = "a key press";
                const uint8_t vk = Key(in);
                host.PressKey(vk, static_cast<int16_t>(in.Range(0, 7)));
                break;
            }
            case 7: {
                name = "a key down or up";
                const uint8_t vk = Key(in);
                in.Bit() ? host.KeyDown(vk) : host.KeyUp(vk);
                break;
            }
            case 8:
                name = "typed text";
                host.Type(in.Take(in.Range(1, 8)));
                break;
            case 9: {
                name = "a wheel turn";
                const uint8_t turn = in.Byte();
                host.Wheel(turn == 0xFF ? in.Int32() : static_cast<int8_t>(turn) * 30);
                break;
            }
            default:
                name = "time passing";
                host.Advance(in.Byte() * 20);
                break;
        }
        fuzz::ExpectConsistent(grid, name);
    }
    return 0;
}
