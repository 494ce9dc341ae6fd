#pragma once

// clsCellArray: every per-cell attribute of the grid, as a table of rows 0..Rows by
// columns 0..Cols (both inclusive). Row 0 is the header row, column 0 the header column.
//
// Memory: a record is 20 bytes. Texts of up to 13 bytes and the Value live inside it;
// longer texts sit in a pool of their own. The other attributes (colours, font, flags,
// style, alignment, tag) form the cell's look, which cells that share it keep once: the
// record holds the look's number. Font names and tags are kept once per distinct text.
// Looks and names are never forgotten while the table lives, so a table whose cells
// were all given different looks holds each of them.
//
// Errors: accessors raise error 9 (subscript out of range) for an index outside the
// table and change nothing; the Value, Tag and ReadOnly reads answer 0, "" and False for
// indexes above the counts instead (only negative ones fail).

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tabula {

class clsCellArray {
public:
    // Cell kinds, in Style.
    static constexpr uint8_t kUnclassified = 0;
    static constexpr uint8_t kFixedCell = 1;
    static constexpr uint8_t kDataCell = 2;

    // The most records a table may hold, about a gigabyte: a resize past it raises error 7
    // (out of memory) and changes nothing, so no count can exhaust the machine's memory.
    static constexpr int64_t kMaxCells = int64_t{1} << 24;
    // Whether a table of rows 0..rows by columns 0..cols stays within kMaxCells.
    static bool Fits(int64_t rows, int64_t cols) { return (rows + 1) * (cols + 1) <= kMaxCells; }

    clsCellArray();

    // --- Fields of a cell -------------------------------------------------------------
    // The view stays valid until the cell's text is next written.
    std::string_view Text(int32_t row, int32_t col) const;
    void SetText(int32_t row, int32_t col, std::string_view text);
    const std::string& FontName(int32_t row, int32_t col) const;
    void SetFontName(int32_t row, int32_t col, std::string name);
    int16_t FontSize(int32_t row, int32_t col) const;
    void SetFontSize(int32_t row, int32_t col, int16_t size);
    bool FontBold(int32_t row, int32_t col) const;
    void SetFontBold(int32_t row, int32_t col, bool on);
    bool FontItalic(int32_t row, int32_t col) const;
    void SetFontItalic(int32_t row, int32_t col, bool on);
    bool FontUnderline(int32_t row, int32_t col) const;
    void SetFontUnderline(int32_t row, int32_t col, bool on);
    bool FontStrikethru(int32_t row, int32_t col) const;
    void SetFontStrikethru(int32_t row, int32_t col, bool on);
    uint8_t TextAlignVertical(int32_t row, int32_t col) const;
    void SetTextAlignVertical(int32_t row, int32_t col, uint8_t align);
    int32_t BackColor(int32_t row, int32_t col) const;
    void SetBackColor(int32_t row, int32_t col, int32_t color);
    int32_t ForeColor(int32_t row, int32_t col) const;
    void SetForeColor(int32_t row, int32_t col, int32_t color);
    uint8_t Style(int32_t row, int32_t col) const;
    void SetStyle(int32_t row, int32_t col, uint8_t style);
    int16_t Value(int32_t row, int32_t col) const;
    void SetValue(int32_t row, int32_t col, int16_t value);
    std::string Tag(int32_t row, int32_t col) const;
    void SetTag(int32_t row, int32_t col, std::string tag);
    bool ReadOnly(int32_t row, int32_t col) const;
    void SetReadOnly(int32_t row, int32_t col, bool on);

    // --- Shape ------------------------------------------------------------------------
    int32_t Rows() const { return rows_; }
    // Adds reset rows or drops rows at the end; a negative count raises 9 and a table past
    // kMaxCells raises 7, with nothing changed.
    void SetRows(int32_t count);
    int32_t Cols() const { return cols_; }
    void SetCols(int32_t count);

    // Moves every row below `row` up by one; the last row keeps a copy of its contents
    // until the caller lowers Rows. Nothing happens for Rows < 1 or row > Rows.
    void Remove(int32_t row);
    // Moves rows after `row` down by one and clears row + 1 (text and the reset fields;
    // Style, TextAlignVertical, Value and Tag stay as copied). The caller has already
    // grown Rows by one. Nothing happens for Rows < 1, row < 0 or row > Rows.
    void InsertRowAfter(int32_t row);
    // Gives row `to` every field of row `from`.
    void CopyRow(int32_t from, int32_t to);
    // Resets colours, font and ReadOnly; leaves Text, TextAlignVertical, Style, Value, Tag.
    void ResetCell(int32_t row, int32_t col);

    // Bytes the table holds, for the memory figures.
    size_t MemoryFootprint() const;

private:
    // What cells share: every attribute but the text and the Value.
    struct Look {
        int32_t backColor = 0;
        int32_t foreColor = 0;
        uint32_t fontName = 0;  // in names_; 0 is ""
        uint32_t tag = 0;       // in names_
        int16_t fontSize = 0;
        uint8_t textAlignVertical = 0;
        uint8_t style = 0;
        uint8_t flags = 0;
        friend bool operator==(const Look&, const Look&) = default;
    };
    struct LookHash {
        size_t operator()(const Look& look) const;
    };
    // One cell: a short text inline (size up to kInline), or a long one's place in the
    // pool (size kLong, the place in the first four bytes).
    struct Record {
        static constexpr uint8_t kInline = 13;
        static constexpr uint8_t kLong = 0xFF;
        char text[kInline] = {};
        uint8_t size = 0;
        int16_t value = 0;
        uint32_t look = 0;
    };
    enum Flag : uint8_t { kBold = 1, kItalic = 2, kUnderline = 4, kStrikethru = 8, kReadOnly = 16 };

    const Record& At(int32_t row, int32_t col) const;
    Record& At(int32_t row, int32_t col);
    // For the guarded reads: null above the counts, error 9 for negative indexes.
    const Record* Guarded(int32_t row, int32_t col) const;
    const Look& LookOf(const Record& record) const { return looks_[record.look]; }
    // Gives the cell the look `change` makes of its present one. Bulk writes (a whole
    // column's style, a new row's defaults) find the result in a small memo.
    template <class Change>
    void Relook(Record& record, uint8_t field, int32_t value, Change change);
    uint32_t Intern(const Look& look);
    uint32_t Name(std::string_view text);
    bool Flag(int32_t row, int32_t col, uint8_t flag) const;
    void SetFlag(int32_t row, int32_t col, uint8_t flag, bool on);
    void Reset(Record& record, int32_t row, int32_t col);
    // Text storage: writing, freeing a long text's place, and a copy with a pool place of
    // its own.
    void StoreText(Record& record, std::string_view text);
    void FreeText(Record& record);
    void CopyRecord(Record& to, const Record& from);

    std::vector<std::vector<Record>> cells_;
    int32_t rows_ = 0;
    int32_t cols_ = 0;
    std::vector<Look> looks_;
    std::unordered_map<Look, uint32_t, LookHash> lookIndex_;
    // A deque keeps every name where it is, so FontName's references stay valid.
    std::deque<std::string> names_;
    std::unordered_map<std::string, uint32_t> nameIndex_;
    std::vector<std::string> longTexts_;
    std::vector<uint32_t> freeLongTexts_;
    struct Memo {
        uint32_t from = UINT32_MAX;
        uint8_t field = 0;
        int32_t value = 0;
        uint32_t to = 0;
    };
    std::array<Memo, 64> memo_{};
};

}  // namespace tabula
