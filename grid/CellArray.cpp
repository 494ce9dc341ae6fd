#include "grid/CellArray.h"

#include <algorithm>

#include "platform/runtime/Error.h"

namespace tabula {

namespace {
const std::string kEmpty;
}  // namespace

clsCellArray::Record::Record(const Record& other)
    : text(other.text),
      rare(other.rare ? std::make_unique<Rare>(*other.rare) : nullptr),
      backColor(other.backColor),
      foreColor(other.foreColor),
      fontSize(other.fontSize),
      value(other.value),
      textAlignVertical(other.textAlignVertical),
      style(other.style),
      flags(other.flags) {}

clsCellArray::Record& clsCellArray::Record::operator=(const Record& other) {
    if (this != &other) *this = Record(other);
    return *this;
}

clsCellArray::Rare& clsCellArray::Record::MutableRare() {
    if (!rare) rare = std::make_unique<Rare>();
    return *rare;
}

clsCellArray::clsCellArray() {
    cells_.emplace_back(1);
    Reset(cells_[0][0], 0, 0);
}

const clsCellArray::Record& clsCellArray::At(int32_t row, int32_t col) const {
    if (row < 0 || col < 0 || row > rows_ || col > cols_) RaiseError(kErrSubscriptOutOfRange);
    return cells_[row][col];
}

clsCellArray::Record& clsCellArray::At(int32_t row, int32_t col) {
    return const_cast<Record&>(std::as_const(*this).At(row, col));
}

const clsCellArray::Record* clsCellArray::Guarded(int32_t row, int32_t col) const {
    if (row < 0 || col < 0) RaiseError(kErrSubscriptOutOfRange);
    if (row > rows_ || col > cols_) return nullptr;
    return &cells_[row][col];
}

void clsCellArray::Reset(Record& r, int32_t row, int32_t col) {
    r.backColor = -1;
    r.foreColor = -1;
    if (r.rare) {
        r.rare->fontName.clear();
        if (r.rare->tag.empty()) r.rare.reset();
    }
    r.fontSize = 9;
    r.flags = (row == 0 || col == 0) ? kBold : 0;  // also clears italic, ..., ReadOnly
}

void clsCellArray::ResetCell(int32_t row, int32_t col) {
    Reset(At(row, col), row, col);
}

const std::string& clsCellArray::Text(int32_t row, int32_t col) const {
    return At(row, col).text;
}
void clsCellArray::SetText(int32_t row, int32_t col, std::string text) {
    At(row, col).text = std::move(text);
}

const std::string& clsCellArray::FontName(int32_t row, int32_t col) const {
    const Record& r = At(row, col);
    return r.rare ? r.rare->fontName : kEmpty;
}
void clsCellArray::SetFontName(int32_t row, int32_t col, std::string name) {
    Record& r = At(row, col);
    if (name.empty() && !r.rare) return;
    r.MutableRare().fontName = std::move(name);
}

int16_t clsCellArray::FontSize(int32_t row, int32_t col) const {
    return At(row, col).fontSize;
}
void clsCellArray::SetFontSize(int32_t row, int32_t col, int16_t size) {
    At(row, col).fontSize = size;
}

bool clsCellArray::Flag(int32_t row, int32_t col, uint8_t flag) const {
    return At(row, col).flags & flag;
}
void clsCellArray::SetFlag(int32_t row, int32_t col, uint8_t flag, bool on) {
    Record& r = At(row, col);
    r.flags = on ? (r.flags | flag) : (r.flags & ~flag);
}

bool clsCellArray::FontBold(int32_t row, int32_t col) const {
    return Flag(row, col, kBold);
}
void clsCellArray::SetFontBold(int32_t row, int32_t col, bool on) {
    SetFlag(row, col, kBold, on);
}
bool clsCellArray::FontItalic(int32_t row, int32_t col) const {
    return Flag(row, col, kItalic);
}
void clsCellArray::SetFontItalic(int32_t row, int32_t col, bool on) {
    SetFlag(row, col, kItalic, on);
}
bool clsCellArray::FontUnderline(int32_t row, int32_t col) const {
    return Flag(row, col, kUnderline);
}
void clsCellArray::SetFontUnderline(int32_t row, int32_t col, bool on) {
    SetFlag(row, col, kUnderline, on);
}
bool clsCellArray::FontStrikethru(int32_t row, int32_t col) const {
    return Flag(row, col, kStrikethru);
}
void clsCellArray::SetFontStrikethru(int32_t row, int32_t col, bool on) {
    SetFlag(row, col, kStrikethru, on);
}

uint8_t clsCellArray::TextAlignVertical(int32_t row, int32_t col) const {
    return At(row, col).textAlignVertical;
}
void clsCellArray::SetTextAlignVertical(int32_t row, int32_t col, uint8_t align) {
    At(row, col).textAlignVertical = align;
}

int32_t clsCellArray::BackColor(int32_t row, int32_t col) const {
    return At(row, col).backColor;
}
void clsCellArray::SetBackColor(int32_t row, int32_t col, int32_t color) {
    At(row, col).backColor = color;
}
int32_t clsCellArray::ForeColor(int32_t row, int32_t col) const {
    return At(row, col).foreColor;
}
void clsCellArray::SetForeColor(int32_t row, int32_t col, int32_t color) {
    At(row, col).foreColor = color;
}

uint8_t clsCellArray::Style(int32_t row, int32_t col) const {
    return At(row, col).style;
}
void clsCellArray::SetStyle(int32_t row, int32_t col, uint8_t style) {
    At(row, col).style = style;
}

int16_t clsCellArray::Value(int32_t row, int32_t col) const {
    const Record* r = Guarded(row, col);
    return r ? r->value : 0;
}
void clsCellArray::SetValue(int32_t row, int32_t col, int16_t value) {
    At(row, col).value = value;
}

std::string clsCellArray::Tag(int32_t row, int32_t col) const {
    const Record* r = Guarded(row, col);
    return r && r->rare ? r->rare->tag : std::string();
}
void clsCellArray::SetTag(int32_t row, int32_t col, std::string tag) {
    Record& r = At(row, col);
    if (tag.empty() && !r.rare) return;
    r.MutableRare().tag = std::move(tag);
}

bool clsCellArray::ReadOnly(int32_t row, int32_t col) const {
    const Record* r = Guarded(row, col);
    return r && (r->flags & kReadOnly);
}
void clsCellArray::SetReadOnly(int32_t row, int32_t col, bool on) {
    SetFlag(row, col, kReadOnly, on);
}

void clsCellArray::SetRows(int32_t count) {
    if (count < 0) RaiseError(kErrSubscriptOutOfRange);
    if (!Fits(count, cols_)) RaiseError(kErrOutOfMemory);
    if (count == rows_) return;
    cells_.resize(size_t(count) + 1);
    for (int32_t r = rows_ + 1; r <= count; ++r) {
        cells_[r].resize(size_t(cols_) + 1);
        for (int32_t c = 0; c <= cols_; ++c)
            Reset(cells_[r][c], r, c);
    }
    if (count < rows_) cells_.shrink_to_fit();
    rows_ = count;
}

void clsCellArray::SetCols(int32_t count) {
    if (count < 0) RaiseError(kErrSubscriptOutOfRange);
    if (!Fits(rows_, count)) RaiseError(kErrOutOfMemory);
    if (count == cols_) return;
    for (int32_t r = 0; r <= rows_; ++r) {
        auto& row = cells_[r];
        row.resize(size_t(count) + 1);
        for (int32_t c = cols_ + 1; c <= count; ++c)
            Reset(row[c], r, c);
        if (count < cols_) row.shrink_to_fit();
    }
    cols_ = count;
}

void clsCellArray::Remove(int32_t row) {
    if (rows_ < 1 || row > rows_) return;
    if (row < 0) RaiseError(kErrSubscriptOutOfRange);
    for (int32_t r = row; r < rows_; ++r)
        cells_[r] = cells_[r + 1];
}

void clsCellArray::InsertRowAfter(int32_t row) {
    if (rows_ < 1 || row < 0 || row > rows_) return;
    // Row = Rows would clear a row past the end: refuse it before anything moves.
    if (row + 1 > rows_) RaiseError(kErrSubscriptOutOfRange);
    const int32_t start = row == 0 ? 1 : row;
    for (int32_t r = rows_ - 1; r >= start; --r)
        cells_[r + 1] = cells_[r];
    for (int32_t c = 0; c <= cols_; ++c) {
        Record& cleared = cells_[row + 1][c];
        cleared.text.clear();
        Reset(cleared, row + 1, c);
    }
}

size_t clsCellArray::MemoryFootprint() const {
    size_t bytes = sizeof(*this) + cells_.capacity() * sizeof(cells_[0]);
    for (const auto& row : cells_) {
        bytes += row.capacity() * sizeof(Record);
        for (const auto& cell : row) {
            if (cell.text.capacity() > 15) bytes += cell.text.capacity() + 1;
            if (cell.rare) {
                bytes += sizeof(Rare);
                if (cell.rare->fontName.capacity() > 15)
                    bytes += cell.rare->fontName.capacity() + 1;
                if (cell.rare->tag.capacity() > 15) bytes += cell.rare->tag.capacity() + 1;
            }
        }
    }
    return bytes;
}

}  // namespace tabula
