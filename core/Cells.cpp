// Cell content and attributes: TextMatrix, Text and the Cell... properties. Each checks
// the cell against the grid's dimensions before it reads or stores anything.

#include "core/Tabula.h"
#include "grid/Checks.h"
#include "grid/ColumnFormat.h"
#include "render/Redraw.h"

namespace tabula {

std::string Tabula::TextMatrix(int32_t row, int32_t col) const {
    CheckCell(s_, row, col);
    return std::string(s_.Cells.Text(row, col));
}

void Tabula::SetTextMatrix(int32_t row, int32_t col, std::string_view text) {
    CheckCell(s_, row, col);
    // The redraw would end an edit in progress after the write, and its store would
    // overwrite the text written here: it ends before.
    if (s_.AutoRedraw) EndEditFirst();
    s_.Cells.SetText(row, col, FormatForColumn(s_, text, col));
    render::RedrawCellsIfAuto(g_);
}

std::string Tabula::Text() const {
    return TextMatrix(s_.Row, s_.Col);
}

void Tabula::SetText(std::string_view text) {
    SetTextMatrix(s_.Row, s_.Col, text);
}

int32_t Tabula::CellBackColor(int32_t row, int32_t col) const {
    CheckCell(s_, row, col);
    return s_.Cells.BackColor(row, col);
}

void Tabula::SetCellBackColor(int32_t row, int32_t col, int32_t color) {
    CheckCell(s_, row, col);
    s_.Cells.SetBackColor(row, col, color);
    render::RedrawCellsIfAuto(g_);
}

int32_t Tabula::CellForeColor(int32_t row, int32_t col) const {
    CheckCell(s_, row, col);
    return s_.Cells.ForeColor(row, col);
}

void Tabula::SetCellForeColor(int32_t row, int32_t col, int32_t color) {
    CheckCell(s_, row, col);
    s_.Cells.SetForeColor(row, col, color);
    render::RedrawCellsIfAuto(g_);
}

std::string Tabula::CellFontName(int32_t row, int32_t col) const {
    CheckCell(s_, row, col);
    return s_.Cells.FontName(row, col);
}

void Tabula::SetCellFontName(int32_t row, int32_t col, std::string_view name) {
    CheckCell(s_, row, col);
    s_.Cells.SetFontName(row, col, std::string(name));
    render::RedrawCellsIfAuto(g_);
}

int16_t Tabula::CellFontSize(int32_t row, int32_t col) const {
    CheckCell(s_, row, col);
    return s_.Cells.FontSize(row, col);
}

void Tabula::SetCellFontSize(int32_t row, int32_t col, int16_t size) {
    CheckCell(s_, row, col);
    s_.Cells.SetFontSize(row, col, size);
    render::RedrawCellsIfAuto(g_);
}

bool Tabula::CellFontBold(int32_t row, int32_t col) const {
    CheckCell(s_, row, col);
    return s_.Cells.FontBold(row, col);
}

void Tabula::SetCellFontBold(int32_t row, int32_t col, bool on) {
    CheckCell(s_, row, col);
    s_.Cells.SetFontBold(row, col, on);
    render::RedrawCellsIfAuto(g_);
}

bool Tabula::CellFontItalic(int32_t row, int32_t col) const {
    CheckCell(s_, row, col);
    return s_.Cells.FontItalic(row, col);
}

void Tabula::SetCellFontItalic(int32_t row, int32_t col, bool on) {
    CheckCell(s_, row, col);
    s_.Cells.SetFontItalic(row, col, on);
    render::RedrawCellsIfAuto(g_);
}

bool Tabula::CellFontUnderline(int32_t row, int32_t col) const {
    CheckCell(s_, row, col);
    return s_.Cells.FontUnderline(row, col);
}

void Tabula::SetCellFontUnderline(int32_t row, int32_t col, bool on) {
    CheckCell(s_, row, col);
    s_.Cells.SetFontUnderline(row, col, on);
    render::RedrawCellsIfAuto(g_);
}

bool Tabula::CellFontStrikeThru(int32_t row, int32_t col) const {
    CheckCell(s_, row, col);
    return s_.Cells.FontStrikethru(row, col);
}

void Tabula::SetCellFontStrikeThru(int32_t row, int32_t col, bool on) {
    CheckCell(s_, row, col);
    s_.Cells.SetFontStrikethru(row, col, on);
    render::RedrawCellsIfAuto(g_);
}

// The tag and read-only reads answer for cells above the counts, as the store's guarded
// reads do; the spare store column of a grid without columns is such a cell.
std::string Tabula::CellTag(int32_t row, int32_t col) const {
    if (row < 0 || col < 0) RaiseError(kErrSubscriptOutOfRange);
    if (row > s_.Rows || col > s_.Cols) return {};
    return s_.Cells.Tag(row, col);
}

void Tabula::SetCellTag(int32_t row, int32_t col, std::string_view tag) {
    CheckCell(s_, row, col);
    s_.Cells.SetTag(row, col, std::string(tag));
}

bool Tabula::CellReadOnly(int32_t row, int32_t col) const {
    if (row < 0 || col < 0) RaiseError(kErrSubscriptOutOfRange);
    if (row > s_.Rows || col > s_.Cols) return false;
    return s_.Cells.ReadOnly(row, col);
}

void Tabula::SetCellReadOnly(int32_t row, int32_t col, bool on) {
    CheckCell(s_, row, col);
    s_.Cells.SetReadOnly(row, col, on);
}

}  // namespace tabula
