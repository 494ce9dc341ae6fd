#include "apps/tabula-demo/DemoForm.h"

#include "core/Tabula.h"
#include "grid/Events.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string_view>

#include "platform/container/FormFile.h"
#include "platform/gdi/Drawing.h"
#include "platform/runtime/Error.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula {

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGridLine = RGB(192, 192, 192);
constexpr uint32_t kLine = DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER;
constexpr int16_t kKeyReturn = 13;
constexpr int16_t kKeyEscape = 27;
constexpr int16_t kKeyCtrlV = 22;

// The data-entry table's columns: caption (with its alignment), width and input mask.
struct GridColumn {
    const char* caption;
    int16_t width;
    int32_t mask;
};
constexpr std::array<GridColumn, 15> kGridColumns = {{{"<Name", 84, NoMask},
                                                      {"<Country", 84, NoMask},
                                                      {"^Card", 36, NoMask},
                                                      {">Qty", 40, NumericOnly},
                                                      {"^Paid", 36, checkmark},
                                                      {"<Due", 78, DateOnly},
                                                      {"<Paid on", 78, EuroDate},
                                                      {"<SSN", 86, SSN},
                                                      {"<Phone", 96, Phone},
                                                      {"<ZIP", 84, USZip},
                                                      {"<Postal code", 84, IntlZip},
                                                      {"<Opens", 72, Time12hr},
                                                      {"<Closes", 56, Time24hr},
                                                      {"<Code", 44, Uppercase},
                                                      {"<Id", 48, NoMask}}};
// The country column offers its values from a list, each carrying its code.
constexpr int32_t kCountryColumn = 2;
struct Country {
    const char* name;
    const char* code;
};
constexpr std::array<Country, 11> kCountries = {{{"Australia", "AU"},
                                                 {"Brazil", "BR"},
                                                 {"Canada", "CA"},
                                                 {"Ecuador", "EC"},
                                                 {"Germany", "DE"},
                                                 {"Italy", "IT"},
                                                 {"Japan", "JP"},
                                                 {"Norway", "NO"},
                                                 {"Portugal", "PT"},
                                                 {"Senegal", "SN"},
                                                 {"Spain", "ES"}}};
// The card column holds no text: its cell button opens the row's card.
constexpr int32_t kCardColumn = 3;
// The last column is read-only: neither the column nor its cells take edits.
constexpr int32_t kIdColumn = 15;
// The first rows, up to the read-only column; the last row is left empty for typing.
constexpr std::array<std::array<const char*, 14>, 6> kGridRows = {{
    {"Dana", "Portugal", "", "12", "1", "01/15/2026", "15/01/2026", "123-45-6789", "555-123-4567",
     "12345-6789", "K1A 0B1", "09:00AM", "17:30", "LIS"},
    {"Ada", "Norway", "", "7", "0", "02/01/2026", "01/02/2026", "", "555-987-6543", "54321", "", "",
     "", "OSL"},
    {"Fay", "Ecuador", "", "100", "1", "", "", "", "", "", "", "10:30AM", "22:00", "UIO"},
    {"Brook", "Australia", "", "3", "0", "", "", "", "", "", "", "", "", "PER"},
    {"Elm", "Italy", "", "42", "1", "", "", "", "", "", "", "", "", "TRN"},
    {"Cyril", "Senegal", "", "1", "0", "", "", "", "", "", "", "", "", "DKR"},
}};

// The rows of the grid drawing, in the order they were entered.
struct Person {
    const char* name;
    const char* amount;
};
constexpr std::array<Person, 6> kPeople = {{{"Dana", "12.50"},
                                            {"Ada", "7.25"},
                                            {"Fay", "100.00"},
                                            {"Brook", "3.10"},
                                            {"Elm", "42.00"},
                                            {"Cyril", "0.99"}}};
// The orders the options offer, in the order of kSortOrders.
enum SortOrder : int32_t { kAsEntered = 0, kByName = 1, kByAmount = 2 };
constexpr std::array<const char*, 3> kSortOrders = {"Rows as entered", "Rows by name",
                                                    "Rows by amount"};
constexpr std::array<const char*, 12> kMonths = {"January",   "February", "March",    "April",
                                                 "May",       "June",     "July",     "August",
                                                 "September", "October",  "November", "December"};

void Title(DeviceContext& dc, const char* text, int32_t width) {
    Rect r{6, 2, width - 6, 18};
    DrawText(dc, text, r, kLine);
}

std::string PlaceLine(const std::string& name, const Rect& r) {
    return "place " + name + " " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
           std::to_string(r.Width()) + " " + std::to_string(r.Height());
}

// A rectangle of a window's client area, in screen coordinates.
// A row's number in the header column and, once it holds data, its read-only id. The
// empty last line has no id: typing into it is what adds the next one.
void NumberRow(Tabula& grid, int32_t row, bool withId) {
    grid.SetTextMatrix(row, 0, std::to_string(row));
    grid.SetCellReadOnly(row, kIdColumn, true);
    if (withId) grid.SetTextMatrix(row, kIdColumn, "A-" + std::to_string(100 + row));
}

// What the person did on the grid, as lines of the demo's output.
class GridNotes : public TabulaEvents {
public:
    GridNotes(Tabula& grid, std::function<void(const std::string&)> note,
              std::function<void(int32_t row)> showCard)
        : grid_(grid), note_(std::move(note)), showCard_(std::move(showCard)) {}
    void RowColChange(int32_t, int32_t) override {
        note_("cell: " + std::to_string(grid_.Row()) + "," + std::to_string(grid_.Col()));
    }
    // Typing started in the last line, which gets its id; the new empty line its number.
    void AfterAddRow(int32_t row) override {
        NumberRow(grid_, row - 1, true);
        NumberRow(grid_, row, false);
        note_("added: row " + std::to_string(row));
    }
    // A lookup column's values are picked from its list; other cells are edited.
    void AfterEdit(int32_t row, int32_t col, const std::string& text) override {
        const char* what = grid_.ColHasLookup(col) ? "picked: " : "edited: ";
        note_(what + std::to_string(row) + "," + std::to_string(col) + " \"" + text + "\"");
    }
    void BtnClick(int32_t row, int32_t col) override {
        note_("button: " + std::to_string(row) + "," + std::to_string(col));
        showCard_(row);
    }

private:
    Tabula& grid_;
    std::function<void(const std::string&)> note_;
    std::function<void(int32_t row)> showCard_;
};

Rect ToScreen(HWND hwnd, const Rect& client) {
    const Point topLeft = ClientToScreen(hwnd, Point{client.left, client.top});
    return MakeRectFromSize(topLeft.x, topLeft.y, client.Width(), client.Height());
}

}  // namespace

Rect FlowLayout::Next(int32_t width, int32_t height) {
    if (x_ > margin_ && x_ + width > width_ - margin_) NewRow();
    const Rect r = MakeRectFromSize(x_, y_, width, height);
    x_ += width + gap_;
    rowHeight_ = std::max(rowHeight_, height);
    return r;
}

void FlowLayout::NewRow() {
    if (rowHeight_ == 0) return;
    y_ += rowHeight_ + gap_;
    x_ = margin_;
    rowHeight_ = 0;
}

int32_t FlowLayout::Height() const {
    return (rowHeight_ > 0 ? y_ + rowHeight_ : y_ - gap_) + margin_;
}

DemoForm::DemoForm(Log log) : log_(std::move(log)) {
    form_ = std::make_unique<SampleForm>(Rect{0, 0, kWidth, 100}, "Tabula demo");
    form_->Resized = [this] {
        Note("form size " + std::to_string(form_->Width()) + "x" + std::to_string(form_->Height()));
    };
    form_->Unloaded = [this] { Note("closed"); };
    // Ctrl+S saves from wherever the keyboard is on the form.
    form_->SetKeyPreview(true);
    form_->KeyDown = [this](int16_t& keyCode, int16_t shift) {
        if (keyCode == 'S' && shift == vbCtrlMask) {
            keyCode = 0;
            Save();
        }
    };
    container_ = std::make_unique<ControlContainer>(*form_);
    registry_.Register("Tabula.Grid", [](HWND parent) {
        return std::make_unique<Tabula>(parent, Rect{0, 0, 100, 100});
    });
    Build();
}

DemoForm::~DemoForm() {
    // Controls go before the form that holds their windows, the last made first, so a
    // frame outlives the controls inside it.
    while (!controls_.empty())
        controls_.pop_back();
}

void DemoForm::Build() {
    AddGrid();
    layout_.NewRow();
    AddDrawings();
    layout_.NewRow();
    AddTypingLine();
    layout_.NewRow();
    AddNotes();
    AddList();
    AddOptions();
    layout_.NewRow();
    AddButtons();
    layout_.NewRow();
    AddStatusLine();
    form_->Move(form_->Left(), form_->Top(), kWidth, layout_.Height());
}

void DemoForm::Note(const std::string& line) {
    if (log_) log_(line);
}

std::vector<std::pair<std::string, Rect>> DemoForm::Places() const {
    std::vector<std::pair<std::string, Rect>> places;
    for (const auto& [name, control] : named_) {
        Rect r;
        if (!IsWindowVisible(control->hWnd()) || !GetWindowRect(control->hWnd(), &r)) continue;
        places.emplace_back(name, r);
        if (control == list_) {
            // The items in view, each whole.
            const int32_t last =
                std::min(list_->TopIndex() + list_->VisibleCount(), list_->ListCount());
            for (int32_t i = list_->TopIndex(); i < last; ++i) {
                places.emplace_back(name + "." + std::to_string(i),
                                    ToScreen(list_->hWnd(), list_->ItemRect(i)));
            }
        } else if (control == grid_) {
            // The data cells wholly in view, clear of the bars, as "grid.ROW.COL".
            const int32_t right = grid_->picGrid.ScaleWidth() -
                                  (grid_->VerticalScrollbar() ? grid_->scrVertical.Width() : 0);
            const int32_t bottom =
                grid_->picGrid.ScaleHeight() -
                (grid_->HorizontalScrollbar() ? grid_->scrHorizontal.Height() : 0);
            for (int32_t r = 1; r <= grid_->Rows(); ++r) {
                for (int32_t c = 1; c <= grid_->Cols(); ++c) {
                    const int32_t x = grid_->CellLeft(r, c), y = grid_->CellTop(r, c);
                    if (x < 0 || y < 0 || x + grid_->ColWidth(c) > right ||
                        y + grid_->RowHeight(r) > bottom)
                        continue;
                    places.emplace_back(
                        name + "." + std::to_string(r) + "." + std::to_string(c),
                        ToScreen(grid_->picGrid.hWnd(),
                                 MakeRectFromSize(x, y, grid_->ColWidth(c), grid_->RowHeight(r))));
                }
            }
            // The in-cell buttons of the current cell, while they show.
            const std::pair<const char*, const CommandButton*> buttons[] = {
                {".lookup", &grid_->cmdLookup}, {".button", &grid_->cmdButton}};
            for (const auto& [part, button] : buttons) {
                Rect b;
                if (button->Visible() && GetWindowRect(button->hWnd(), &b))
                    places.emplace_back(name + part, b);
            }
        } else if (control == rows_) {
            const ScrollBar::Layout parts = rows_->GetLayout();
            places.emplace_back(name + ".left", ToScreen(rows_->hWnd(), parts.decreaseArrow));
            places.emplace_back(name + ".right", ToScreen(rows_->hWnd(), parts.increaseArrow));
        }
    }
    if (box_ && boxOk_) {
        Rect r;
        if (GetWindowRect(boxOk_->hWnd(), &r)) places.emplace_back(boxName_ + ".OK", r);
    }
    return places;
}

void DemoForm::AnnouncePlaces() {
    announce_ = true;
    for (const auto& [name, r] : Places())
        Note(PlaceLine(name, r));
}

template <typename T, typename... Args>
T& DemoForm::Add(const std::string& name, Args&&... args) {
    auto control = std::make_unique<T>(std::forward<Args>(args)...);
    T& ref = *control;
    if (!name.empty()) named_.emplace_back(name, control.get());
    controls_.push_back(std::move(control));
    return ref;
}

PictureBox& DemoForm::AddPicture(const std::string& name, int32_t width, int32_t height) {
    return Add<PictureBox>(name, form_->hWnd(), layout_.Next(width, height));
}

CommandButton& DemoForm::AddButton(const std::string& name, std::string caption) {
    return Add<CommandButton>(name, form_->hWnd(), layout_.Next(88, 26), std::move(caption));
}

// --- Drawings ------------------------------------------------------------------------------

void DemoForm::AddGrid() {
    // A data-entry table: a column for each input mask, a check-mark column, a read-only
    // column, a new line typed at the end (AutoNewRow) and Enter moving on (AutoMove);
    // headers, per-cell colours and fonts and an alternate row colour.
    auto grid = std::make_unique<Tabula>(form_->hWnd(), layout_.Next(layout_.InnerWidth(), 156));
    Site& site = container_->Add(*grid, "Tabula.Grid");
    site.GetExtender().Let(ExtenderProperty::Name, Variant("grid"));
    grid->InitProperties();
    grid->SetCols(kGridColumns.size());
    grid->SetRows(7);
    std::string format;
    for (const GridColumn& column : kGridColumns) {
        if (!format.empty()) format += '|';
        format += column.caption;
    }
    grid->SetFormatString(format);
    for (int32_t c = 1; c <= int32_t(kGridColumns.size()); ++c) {
        grid->SetColWidth(c, kGridColumns[c - 1].width);
        grid->SetColMask(c, kGridColumns[c - 1].mask);
    }
    grid->SetColAllowEdit(kIdColumn, false);
    for (const Country& country : kCountries)
        grid->AddLookup(kCountryColumn, country.name, country.code);
    grid->AddButton(kCardColumn);
    grid->SetColAllowEdit(kCardColumn, false);
    for (int32_t r = 1; r <= int32_t(kGridRows.size()); ++r) {
        for (int32_t c = 1; c < kIdColumn; ++c)
            grid->SetTextMatrix(r, c, kGridRows[r - 1][c - 1]);
    }
    for (int32_t r = 1; r <= grid->Rows(); ++r)
        NumberRow(*grid, r, r < grid->Rows());
    grid->SetCellFontName(2, 1, "Times New Roman");
    grid->SetCellFontBold(2, 1, true);
    grid->SetCellBackColor(3, 2, 0xC0E0FF);
    grid->SetCellForeColor(3, 2, 0x800000);
    grid->SetBackColorAlt(0xE0FFFF);
    grid->SetUseBackColorAlt(true);
    grid->SetAutoNewRow(true);
    grid->SetAutoMove(true);
    grid->Refresh();
    // The typing line is the first stop for Tab; the grid is reached with the mouse.
    grid->SetTabStop(false);
    AdoptGrid(*grid);
    named_.emplace_back("grid", grid_);
    controls_.push_back(std::move(grid));
}

void DemoForm::AdoptGrid(Tabula& grid) {
    grid_ = &grid;
    gridNotes_ = std::make_shared<GridNotes>(
        grid,
        [this](const std::string& line) {
            Note(line);
            SetStatus(line);
        },
        [this](int32_t row) { ShowCard(row); });
    grid.Events().Advise(gridNotes_);
    if (tabKeys_) tabKeys_->SetValue(grid.UseTABKey() ? vbChecked : vbUnchecked);
}

std::string DemoForm::GridSummary() const {
    return "rows " + std::to_string(grid_->Rows()) + ", cols " + std::to_string(grid_->Cols()) +
           ", current " + std::to_string(grid_->Row()) + "," + std::to_string(grid_->Col()) +
           ", tab keys " + (grid_->UseTABKey() ? "on" : "off");
}

void DemoForm::Save() {
    try {
        container_->Save(formPath_);
        Note("saved: " + formPath_ + " (" + GridSummary() + ")");
        SetStatus("Saved " + formPath_);
    } catch (const RuntimeError& error) {
        Note("save failed: " + error.description);
        SetStatus("Save failed");
    }
}

bool DemoForm::Open(const std::string& path) {
    FormDescription description;
    try {
        description = LoadFormFile(path);
    } catch (const RuntimeError& error) {
        Note("open failed: " + error.description);
        return false;
    }
    Tabula* old = grid_;
    const Rect place = MakeRectFromSize(old->Left(), old->Top(), old->Width(), old->Height());
    // The sample grid goes first, so the loaded one may take its name.
    container_->Remove(*old);
    std::vector<Site*> sites;
    try {
        sites = container_->Load(description, registry_);
    } catch (const RuntimeError& error) {
        container_->Add(*old, "Tabula.Grid")
            .GetExtender()
            .Let(ExtenderProperty::Name, Variant("grid"));
        Note("open failed: " + error.description);
        return false;
    }
    for (const RefusedProperty& refused : container_->Refusals())
        Note("refused: " + refused.key + " error " + std::to_string(refused.number));
    for (Site* site : sites) {
        auto* grid = dynamic_cast<Tabula*>(&site->GetControl());
        if (!grid) continue;
        grid->Move(place.left, place.top, static_cast<int32_t>(place.Width()),
                   static_cast<int32_t>(place.Height()));
        for (auto& [name, control] : named_) {
            if (control == old) control = grid;
        }
        std::erase_if(controls_,
                      [old](const std::unique_ptr<Control>& c) { return c.get() == old; });
        AdoptGrid(*grid);
        break;
    }
    formPath_ = path;
    Note("opened: " + path + " (" + GridSummary() + ")");
    return true;
}

void DemoForm::AddDrawings() {
    // A corner of a grid: header cells, grid lines, a selected row and the focus cell. The
    // options below decide how it looks.
    cells_ = &AddPicture("cells", 200, 140);
    cells_->SetTabStop(false);
    DrawCells();

    // The classic 3D palette, swatch by swatch.
    PictureBox& colours = AddPicture("colours", 200, 140);
    colours.SetTabStop(false);
    {
        DeviceContext& dc = colours.hDC();
        Title(dc, "System colours", 200);
        struct Swatch {
            SystemColorIndex index;
            const char* name;
        };
        const Swatch swatches[] = {
            {COLOR_BTNFACE, "face"},        {COLOR_BTNSHADOW, "shadow"},
            {COLOR_BTNHIGHLIGHT, "light"},  {COLOR_3DDKSHADOW, "dark"},
            {COLOR_WINDOW, "window"},       {COLOR_WINDOWTEXT, "text"},
            {COLOR_HIGHLIGHT, "select"},    {COLOR_INFOBK, "tip"},
            {COLOR_ACTIVECAPTION, "title"}, {COLOR_GRAYTEXT, "grey"},
            {COLOR_APPWORKSPACE, "work"},   {COLOR_BACKGROUND, "desk"},
        };
        for (int i = 0; i < 12; ++i) {
            const int32_t x = 6 + (i % 4) * 48;
            const int32_t y = 22 + (i / 4) * 39;
            Rect swatch{x, y, x + 42, y + 22};
            FillRect(dc, swatch, CreateSolidBrush(GetSysColor(swatches[i].index)));
            Rect frame = swatch;
            DrawEdge(dc, frame, BDR_SUNKENOUTER, BF_RECT);
            Rect label{x - 2, y + 22, x + 44, y + 37};
            DrawText(dc, swatches[i].name, label, kLine | DT_CENTER);
        }
        colours.Refresh();
    }

    // Pens and fonts: solid and dotted lines, and the font styles.
    PictureBox& lines = AddPicture("lines", 200, 140);
    lines.SetTabStop(false);
    {
        DeviceContext& dc = lines.hDC();
        Title(dc, "Lines and text", 200);
        for (int i = 0; i < 6; ++i) {
            lines.SetForeColor(
                RGB(static_cast<uint8_t>(40 * i), 60, static_cast<uint8_t>(200 - 30 * i)));
            MoveToEx(dc, 8, 24);
            LineTo(dc, 90, 24 + i * 12);
        }
        lines.SetForeColor(RGB(0, 0, 0));
        lines.SetDrawStyle(2);
        MoveToEx(dc, 8, 96);
        LineTo(dc, 90, 96);
        lines.SetDrawStyle(0);
        struct Style {
            const char* text;
            bool bold, italic, underline, strike;
        };
        const Style styles[] = {{"Regular", false, false, false, false},
                                {"Bold", true, false, false, false},
                                {"Italic", false, true, false, false},
                                {"Underline", false, false, true, false},
                                {"Strike", false, false, false, true}};
        int32_t y = 22;
        for (const Style& s : styles) {
            lines.SetFontBold(s.bold);
            lines.SetFontItalic(s.italic);
            lines.SetFontUnderline(s.underline);
            lines.SetFontStrikethru(s.strike);
            Rect r{104, y, 196, y + 18};
            DrawText(dc, s.text, r, kLine);
            y += 20;
        }
        lines.SetFontStrikethru(false);
        lines.Refresh();
    }
}

void DemoForm::DrawCells() {
    PictureBox& cells = *cells_;
    DeviceContext& dc = cells.hDC();
    FillRect(dc, cells.Image().Bounds(), CreateSolidBrush(kWhite));
    std::array<Person, kPeople.size()> people = kPeople;
    if (sortOrder_ == kByName) {
        std::stable_sort(people.begin(), people.end(), [](const Person& a, const Person& b) {
            return std::string_view(a.name) < std::string_view(b.name);
        });
    } else if (sortOrder_ == kByAmount) {
        std::stable_sort(people.begin(), people.end(), [](const Person& a, const Person& b) {
            return std::strtod(a.amount, nullptr) < std::strtod(b.amount, nullptr);
        });
    }
    const std::array<int32_t, 4> columns = {0, 36, 118, 200};
    const char* headers[] = {"", "Name", "Amount"};
    const int32_t rowHeight = rowHeight_;
    for (int32_t row = 0; row <= static_cast<int32_t>(people.size()); ++row) {
        for (size_t col = 0; col + 1 < columns.size(); ++col) {
            Rect cell{columns[col], row * rowHeight, columns[col + 1], (row + 1) * rowHeight};
            const bool header = row == 0 || col == 0;
            if (header) {
                FillRect(dc, cell, CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
                Rect edge = cell;
                DrawEdge(dc, edge, EDGE_RAISED, BF_RECT);
            }
            std::string text = row == 0   ? headers[col]
                               : col == 0 ? std::to_string(row)
                               : col == 1 ? people[row - 1].name
                                          : people[row - 1].amount;
            Rect inner{cell.left + 3, cell.top, cell.right - 3, cell.bottom};
            uint32_t align = header ? DT_CENTER : DT_LEFT;
            if (col == 2 && !header) align = DT_RIGHT;
            DrawText(dc, text, inner, kLine | align);
            if (!header && gridLines_) {
                dc.SelectPen(Pen{PenStyle::Solid, kGridLine});
                MoveToEx(dc, cell.left, cell.bottom - 1);
                LineTo(dc, cell.right - 1, cell.bottom - 1);
                LineTo(dc, cell.right - 1, cell.top - 1);
            }
        }
    }
    // The third row selected, the focus on its amount.
    InvertRect(dc, Rect{columns[1], 3 * rowHeight, columns[3] - 1, 4 * rowHeight - 1});
    DrawFocusRect(dc, Rect{columns[2], 3 * rowHeight, columns[3] - 1, 4 * rowHeight - 1});
    cells.Refresh();
}

// --- Typing line ---------------------------------------------------------------------------

void DemoForm::AddTypingLine() {
    Label& label = Add<Label>("", form_->hWnd(), layout_.Next(150, 26), "Type a line, then Enter:");
    // The caption sits level with the text in the box beside it.
    label.Move(label.Left(), label.Top() + 6, label.Width(), label.Height() - 6);
    TextBox& pad = Add<TextBox>("pad", form_->hWnd(), layout_.Next(layout_.RemainingWidth(), 26));
    pad_ = &pad;
    pad.SetFontSize(10);
    pad.KeyDown = [this](int16_t& keyCode, int16_t shift) {
        pasting_ = keyCode == VK_INSERT && (shift & vbShiftMask);
    };
    pad.KeyPress = [this](int16_t& keyAscii) {
        pasting_ = keyAscii == kKeyCtrlV;
        if (keyAscii == kKeyReturn) {
            const std::string line = pad_->Text();
            Note("typed: " + line);
            SetStatus("Typed: " + line);
            pad_->SetText("");
            keyAscii = 0;
        } else if (keyAscii == kKeyEscape) {
            pad_->SetText("");
            keyAscii = 0;
        }
    };
    // Copy, cut and paste are the box's own, through the system clipboard; a paste is
    // reported with the line it leaves.
    pad.Change = [this] {
        if (!pasting_) return;
        pasting_ = false;
        Note("pasted: " + pad_->Text());
    };
}

// --- Notes, the list and the options -------------------------------------------------------

void DemoForm::AddNotes() {
    TextBox& notes = Add<TextBox>("notes", form_->hWnd(), layout_.Next(200, 140), true);
    notes.SetText(
        "Notes\r\n"
        "This box holds several lines and wraps long ones at its width. Arrows, Home, End "
        "and the mouse move and select; Ctrl+C and Ctrl+V copy and paste.\r\n"
        "Tab moves on to the list.");
}

void DemoForm::AddList() {
    const Rect place = layout_.Next(200, 140);
    ListBox& list = Add<ListBox>("list", form_->hWnd(), place);
    list_ = &list;
    // The list keeps the height of its neighbours, its last row cut where it ends.
    list.SetIntegralHeight(false);
    list.Move(place.left, place.top, place.Width(), place.Height());
    for (const char* month : kMonths)
        list.AddItem(month);
    list.Click = [this] {
        Note("picked: " + list_->Text());
        SetStatus("Picked " + list_->Text());
    };
}

void DemoForm::AddOptions() {
    // The frame's controls live in its window, placed from its own top left corner, below
    // the caption.
    constexpr int32_t kFrameWidth = 200;
    Frame& frame =
        Add<Frame>("options", form_->hWnd(), layout_.Next(kFrameWidth, 140), "Grid drawing");
    const HWND inside = frame.hWnd();
    FlowLayout layout(kFrameWidth, 10, 8, 24);

    CheckBox& gridLines =
        Add<CheckBox>("gridlines", inside, layout.Next(layout.InnerWidth(), 20), "Grid lines");
    gridLines.SetValue(gridLines_ ? vbChecked : vbUnchecked);
    gridLines.Click = [this, &gridLines] {
        gridLines_ = gridLines.Value() == vbChecked;
        Note("checked: " + std::to_string(gridLines.Value()));
        SetStatus(gridLines_ ? "Grid lines shown" : "Grid lines hidden");
        DrawCells();
    };

    ComboBox& order = Add<ComboBox>("order", inside, layout.Next(layout.InnerWidth(), 21));
    for (const char* text : kSortOrders)
        order.AddItem(text);
    order.SetListIndex(sortOrder_);
    order.Click = [this, &order] {
        sortOrder_ = order.ListIndex();
        Note("chose: " + order.Text());
        SetStatus(order.Text());
        DrawCells();
    };

    Label& caption = Add<Label>("", inside, layout.Next(layout.InnerWidth(), 16));
    ScrollBar& rows = Add<ScrollBar>("rows", inside, layout.Next(layout.InnerWidth(), 17), false);
    rows_ = &rows;
    rows.SetMin(kMinRowHeight);
    rows.SetMax(kMaxRowHeight);
    rows.SetLargeChange(kRowHeightPage);
    rows.SetValue(rowHeight_);
    const auto showValue = [&caption, &rows] {
        caption.SetCaption("Row height: " + std::to_string(rows.Value()));
    };
    showValue();
    rows.Change = [this, showValue] {
        rowHeight_ = rows_->Value();
        showValue();
        Note("scrolled: " + std::to_string(rowHeight_));
        SetStatus("Row height " + std::to_string(rowHeight_));
        DrawCells();
    };
    // Dragging the thumb shows the value as it goes; Change follows on the release.
    rows.Scroll = showValue;
}

// --- Buttons -------------------------------------------------------------------------------

void DemoForm::AddButtons() {
    CommandButton& ok = AddButton("OK", "OK");
    // The status goes back to Ready a moment after a click, on a timer.
    statusTimer_ = &Add<Timer>("", form_->hWnd());
    statusTimer_->Tick = [this] {
        statusTimer_->SetInterval(0);
        SetStatus("Ready");
        Note("status cleared");
    };
    ok.Click = [this] {
        Note("clicked OK");
        SetStatus("Clicked OK");
        statusTimer_->SetInterval(kStatusMilliseconds);
    };
    CommandButton& about = AddButton("About", "About");
    about.Click = [this] { ShowAbout(); };
    CommandButton& close = AddButton("Close", "Close");
    close.Click = [this] { form_->Unload(); };
    CommandButton& save = AddButton("Save", "Save");
    save.Click = [this] { Save(); };
    // Tab moves between the grid's cells while this is ticked, else on to the next control.
    tabKeys_ = &Add<CheckBox>("tabkeys", form_->hWnd(), layout_.Next(150, 26), "Tab in the grid");
    tabKeys_->SetValue(grid_->UseTABKey() ? vbChecked : vbUnchecked);
    tabKeys_->Click = [this] {
        const bool on = tabKeys_->Value() == vbChecked;
        if (on == grid_->UseTABKey()) return;  // set to match a grid just opened
        grid_->SetUseTABKey(on);
        Note("tab keys: " + std::to_string(tabKeys_->Value()));
    };
}

void DemoForm::ShowAbout() {
    ShowBox("about", "About",
            "Tabula demo\nAn editable grid control that draws itself, shown here in a modal "
            "box.");
}

void DemoForm::ShowCard(int32_t row) {
    const std::string name = grid_->TextMatrix(row, 1);
    const std::string country = grid_->TextMatrix(row, kCountryColumn);
    const Variant code = grid_->LookupItemData(kCountryColumn, country);
    std::string text = "Row " + std::to_string(row) + ": " + (name.empty() ? "(no name)" : name);
    if (!country.empty()) text += "\n" + country;
    if (code.Type() == VariantType::String) text += " (" + code.ToText() + ")";
    ShowBox("card", "Card", text);
}

void DemoForm::ShowBox(const std::string& name, const std::string& caption,
                       const std::string& message) {
    constexpr int32_t kBoxWidth = 280;
    constexpr int32_t kBoxHeight = 142;
    constexpr int32_t kCaption = 20;
    const int32_t left = form_->Left() + (form_->Width() - kBoxWidth) / 2;
    const int32_t top = form_->Top() + (form_->Height() - kBoxHeight) / 2;
    Form box(MakeRectFromSize(left, top, kBoxWidth, kBoxHeight), caption);
    {
        // A frame and a title bar of its own, so the box stands out from the form below.
        DeviceContext& dc = box.hDC();
        Rect frame = box.Image().Bounds();
        DrawEdge(dc, frame, EDGE_RAISED, BF_RECT | BF_ADJUST);
        Rect bar{frame.left + 1, frame.top + 1, frame.right - 1, frame.top + kCaption};
        FillRect(dc, bar, CreateSolidBrush(GetSysColor(COLOR_ACTIVECAPTION)));
        dc.SetTextColor(GetSysColor(COLOR_CAPTIONTEXT));
        Rect title{bar.left + 6, bar.top, bar.right - 6, bar.bottom};
        DrawText(dc, box.Caption(), title, kLine);
    }
    PictureBox text(box.hWnd(), Rect{12, kCaption + 12, kBoxWidth - 12, kCaption + 70});
    text.SetTabStop(false);
    {
        DeviceContext& dc = text.hDC();
        Rect frame = text.Image().Bounds();
        DrawEdge(dc, frame, EDGE_ETCHED, BF_RECT | BF_ADJUST);
        Rect r{frame.left + 8, frame.top + 4, frame.right - 8, frame.bottom - 4};
        DrawText(dc, message, r, DT_WORDBREAK | DT_NOPREFIX);
        text.Refresh();
    }
    CommandButton ok(box.hWnd(), MakeRectFromSize(kBoxWidth / 2 - 44, kCaption + 80, 88, 26), "OK");
    ok.Click = [&box] { box.Unload(); };

    box_ = &box;
    boxOk_ = &ok;
    boxName_ = name;
    Note(name + " shown");
    SetStatus(caption + " box shown");
    if (announce_) {
        Rect r;
        GetWindowRect(ok.hWnd(), &r);
        Note(PlaceLine(name + ".OK", r));
    }
    box.Show(vbModal);
    box_ = nullptr;
    boxOk_ = nullptr;
    Note(name + " closed");
    SetStatus(caption + " box closed");
}

// --- Status line ---------------------------------------------------------------------------

void DemoForm::AddStatusLine() {
    statusLine_ = &AddPicture("status", layout_.InnerWidth(), 22);
    statusLine_->SetTabStop(false);
    status_ = "Ready";
    DrawStatus();
}

void DemoForm::SetStatus(std::string text) {
    status_ = std::move(text);
    if (statusLine_) DrawStatus();
}

void DemoForm::DrawStatus() {
    PictureBox& line = *statusLine_;
    line.Cls();
    DeviceContext& dc = line.hDC();
    Rect frame = line.Image().Bounds();
    DrawEdge(dc, frame, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    Rect text{frame.left + 6, frame.top, frame.right - 6, frame.bottom};
    DrawText(dc, status_, text, kLine | DT_END_ELLIPSIS);
    line.Refresh();
}

}  // namespace tabula
