#include "grid/CellArray.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <utility>

#include "platform/runtime/Error.h"

namespace tabula {

namespace {

// Which attribute a look change writes, for the memo.
enum Field : uint8_t {
    kFieldBackColor = 1,
    kFieldForeColor,
    kFieldFontName,
    kFieldTag,
    kFieldFontSize,
    kFieldAlign,
    kFieldStyle,
    kFieldFlagOn,
    kFieldFlagOff,
    kFieldReset,
};

uint32_t LongPlace(const char* text) {
    uint32_t place;
    std::memcpy(&place, text, sizeof place);
    return place;
}

}  // namespace

size_t clsCellArray::LookHash::operator()(const Look& l) const {
    size_t h = std::hash<int64_t>()((int64_t(l.backColor) << 32) ^ uint32_t(l.foreColor));
    const uint64_t rest = (uint64_t(l.fontName) << 40) ^ (uint64_t(l.tag) << 24) ^
                          (uint64_t(uint16_t(l.fontSize)) << 24) ^
                          (uint64_t(l.textAlignVertical) << 16) ^ (uint64_t(l.style) << 8) ^
                          l.flags;
    return h ^ (std::hash<uint64_t>()(rest) + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2));
}

clsCellArray::clsCellArray() {
    names_.emplace_back();
    nameIndex_.emplace(std::string(), 0);
    Intern(Look{});
    cells_.emplace_back(1);
    Reset(cells_[0][0], 0, 0);
}

uint32_t clsCellArray::Intern(const Look& look) {
    const auto [at, added] = lookIndex_.try_emplace(look, uint32_t(looks_.size()));
    if (added) looks_.push_back(look);
    return at->second;
}

uint32_t clsCellArray::Name(std::string_view text) {
    const auto found = nameIndex_.find(std::string(text));
    if (found != nameIndex_.end()) return found->second;
    const auto id = uint32_t(names_.size());
    names_.emplace_back(text);
    nameIndex_.emplace(names_.back(), id);
    return id;
}

template <class Change>
void clsCellArray::Relook(Record& record, uint8_t field, int32_t value, Change change) {
    const size_t slot = (record.look * 31u + field * 7u + uint32_t(value)) % memo_.size();
    Memo& memo = memo_[slot];
    if (memo.from == record.look && memo.field == field && memo.value == value) {
        record.look = memo.to;
        return;
    }
    Look look = looks_[record.look];
    change(look);
    const uint32_t to = Intern(look);
    memo = Memo{record.look, field, value, to};
    record.look = to;
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
    const bool header = row == 0 || col == 0;
    Relook(r, kFieldReset, header, [header](Look& look) {
        look.backColor = -1;
        look.foreColor = -1;
        look.fontName = 0;
        look.fontSize = 9;
        look.flags = header ? kBold : 0;  // also clears italic, ..., ReadOnly
    });
}

void clsCellArray::ResetCell(int32_t row, int32_t col) {
    Reset(At(row, col), row, col);
}

// --- Texts -------------------------------------------------------------------------------------

void clsCellArray::FreeText(Record& r) {
    if (r.size != Record::kLong) return;
    const uint32_t place = LongPlace(r.text);
    std::string().swap(longTexts_[place]);
    freeLongTexts_.push_back(place);
    r.size = 0;
}

void clsCellArray::StoreText(Record& r, std::string_view text) {
    if (text.size() <= Record::kInline) {
        FreeText(r);
        std::memcpy(r.text, text.data(), text.size());
        r.size = uint8_t(text.size());
        return;
    }
    if (r.size == Record::kLong) {
        longTexts_[LongPlace(r.text)].assign(text);
        return;
    }
    uint32_t place;
    if (freeLongTexts_.empty()) {
        place = uint32_t(longTexts_.size());
        longTexts_.emplace_back(text);
    } else {
        place = freeLongTexts_.back();
        freeLongTexts_.pop_back();
        longTexts_[place].assign(text);
    }
    std::memcpy(r.text, &place, sizeof place);
    r.size = Record::kLong;
}

void clsCellArray::CopyRecord(Record& to, const Record& from) {
    if (&to == &from) return;
    // Neither holds a place in the pool: the record is all there is.
    if (from.size != Record::kLong && to.size != Record::kLong) {
        to = from;
        return;
    }
    const std::string_view text = from.size == Record::kLong
                                      ? std::string_view(longTexts_[LongPlace(from.text)])
                                      : std::string_view(from.text, from.size);
    if (from.size == Record::kLong) {
        // The pool may grow while storing: store a copy of the text.
        const std::string copy(text);
        StoreText(to, copy);
    } else {
        StoreText(to, text);
    }
    to.value = from.value;
    to.look = from.look;
}

std::string_view clsCellArray::Text(int32_t row, int32_t col) const {
    const Record& r = At(row, col);
    if (r.size == Record::kLong) return longTexts_[LongPlace(r.text)];
    return std::string_view(r.text, r.size);
}

void clsCellArray::SetText(int32_t row, int32_t col, std::string_view text) {
    StoreText(At(row, col), text);
}

// --- Attributes ----------------------------------------------------------------------------------

const std::string& clsCellArray::FontName(int32_t row, int32_t col) const {
    return names_[LookOf(At(row, col)).fontName];
}
void clsCellArray::SetFontName(int32_t row, int32_t col, std::string name) {
    Record& r = At(row, col);
    const uint32_t id = Name(name);
    Relook(r, kFieldFontName, int32_t(id), [id](Look& look) { look.fontName = id; });
}

int16_t clsCellArray::FontSize(int32_t row, int32_t col) const {
    return LookOf(At(row, col)).fontSize;
}
void clsCellArray::SetFontSize(int32_t row, int32_t col, int16_t size) {
    Relook(At(row, col), kFieldFontSize, size, [size](Look& look) { look.fontSize = size; });
}

bool clsCellArray::Flag(int32_t row, int32_t col, uint8_t flag) const {
    return LookOf(At(row, col)).flags & flag;
}
void clsCellArray::SetFlag(int32_t row, int32_t col, uint8_t flag, bool on) {
    Relook(At(row, col), on ? kFieldFlagOn : kFieldFlagOff, flag, [flag, on](Look& look) {
        look.flags = on ? (look.flags | flag) : (look.flags & ~flag);
    });
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
    return LookOf(At(row, col)).textAlignVertical;
}
void clsCellArray::SetTextAlignVertical(int32_t row, int32_t col, uint8_t align) {
    Relook(At(row, col), kFieldAlign, align,
           [align](Look& look) { look.textAlignVertical = align; });
}

int32_t clsCellArray::BackColor(int32_t row, int32_t col) const {
    return LookOf(At(row, col)).backColor;
}
void clsCellArray::SetBackColor(int32_t row, int32_t col, int32_t color) {
    Relook(At(row, col), kFieldBackColor, color, [color](Look& look) { look.backColor = color; });
}
int32_t clsCellArray::ForeColor(int32_t row, int32_t col) const {
    return LookOf(At(row, col)).foreColor;
}
void clsCellArray::SetForeColor(int32_t row, int32_t col, int32_t color) {
    Relook(At(row, col), kFieldForeColor, color, [color](Look& look) { look.foreColor = color; });
}

uint8_t clsCellArray::Style(int32_t row, int32_t col) const {
    return LookOf(At(row, col)).style;
}
void clsCellArray::SetStyle(int32_t row, int32_t col, uint8_t style) {
    Relook(At(row, col), kFieldStyle, style, [style](Look& look) { look.style = style; });
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
    return r ? names_[LookOf(*r).tag] : std::string();
}
void clsCellArray::SetTag(int32_t row, int32_t col, std::string tag) {
    Record& r = At(row, col);
    const uint32_t id = Name(tag);
    Relook(r, kFieldTag, int32_t(id), [id](Look& look) { look.tag = id; });
}

bool clsCellArray::ReadOnly(int32_t row, int32_t col) const {
    const Record* r = Guarded(row, col);
    return r && (LookOf(*r).flags & kReadOnly);
}
void clsCellArray::SetReadOnly(int32_t row, int32_t col, bool on) {
    SetFlag(row, col, kReadOnly, on);
}

// --- Shape ---------------------------------------------------------------------------------------

void clsCellArray::SetRows(int32_t count) {
    if (count < 0) RaiseError(kErrSubscriptOutOfRange);
    if (!Fits(count, cols_)) RaiseError(kErrOutOfMemory);
    if (count == rows_) return;
    for (int32_t r = count + 1; r <= rows_; ++r) {
        for (Record& cell : cells_[r])
            FreeText(cell);
    }
    cells_.resize(size_t(count) + 1);
    for (int32_t r = rows_ + 1; r <= count; ++r) {
        cells_[r].resize(size_t(cols_) + 1);
        for (int32_t c = 0; c <= cols_; ++c)
            Reset(cells_[r][c], r, c);
    }
    if (count < rows_) cells_.shrink_to_fit();
    rows_ = count;
}

void clsCellArray::CopyRow(int32_t from, int32_t to) {
    At(from, 0);
    At(to, 0);
    for (int32_t c = 0; c <= cols_; ++c)
        CopyRecord(cells_[to][c], cells_[from][c]);
}

void clsCellArray::SetCols(int32_t count) {
    if (count < 0) RaiseError(kErrSubscriptOutOfRange);
    if (!Fits(rows_, count)) RaiseError(kErrOutOfMemory);
    if (count == cols_) return;
    for (int32_t r = 0; r <= rows_; ++r) {
        auto& row = cells_[r];
        for (int32_t c = count + 1; c <= cols_; ++c)
            FreeText(row[c]);
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
    if (row == rows_) return;
    // The removed row goes to the end and takes a copy of the row before it, which is
    // the last row's contents: rows move as whole, never cell by cell.
    for (Record& cell : cells_[row])
        FreeText(cell);
    std::rotate(cells_.begin() + row, cells_.begin() + row + 1, cells_.begin() + rows_ + 1);
    for (int32_t c = 0; c <= cols_; ++c)
        CopyRecord(cells_[rows_][c], cells_[rows_ - 1][c]);
}

void clsCellArray::InsertRowAfter(int32_t row) {
    if (rows_ < 1 || row < 0 || row > rows_) return;
    // Row = Rows would clear a row past the end: refuse it before anything moves.
    if (row + 1 > rows_) RaiseError(kErrSubscriptOutOfRange);
    // Rows row+1.. move down one (the last one, the caller's new row, comes round to
    // row+1), then row+1 is cleared, keeping the style, alignment, Value and tag of the
    // row it was copied from: row itself, or row 1 after the header row.
    const int32_t first = row == 0 ? 1 : row + 1;
    std::rotate(cells_.begin() + first, cells_.begin() + rows_, cells_.begin() + rows_ + 1);
    const int32_t source = row == 0 ? std::min(2, rows_) : row;
    for (int32_t c = 0; c <= cols_; ++c) {
        Record& cleared = cells_[row + 1][c];
        const Record& from = cells_[source][c];
        FreeText(cleared);
        cleared.size = 0;
        cleared.value = from.value;
        cleared.look = from.look;
        Reset(cleared, row + 1, c);
    }
}

size_t clsCellArray::MemoryFootprint() const {
    size_t bytes = sizeof(*this) + cells_.capacity() * sizeof(cells_[0]);
    for (const auto& row : cells_)
        bytes += row.capacity() * sizeof(Record);
    // The shared parts: looks with their index, names, long texts.
    bytes += looks_.capacity() * sizeof(Look) + lookIndex_.size() * (sizeof(Look) + 24) +
             lookIndex_.bucket_count() * sizeof(void*);
    for (const std::string& name : names_)
        bytes += sizeof(std::string) * 2 + 24 + (name.capacity() > 15 ? name.capacity() + 1 : 0);
    bytes +=
        longTexts_.capacity() * sizeof(std::string) + freeLongTexts_.capacity() * sizeof(uint32_t);
    for (const std::string& text : longTexts_) {
        if (text.capacity() > 15) bytes += text.capacity() + 1;
    }
    return bytes;
}

}  // namespace tabula
