#include "grid/ColumnFormat.h"

#include "grid/Checks.h"
#include "platform/runtime/Dates.h"
#include "platform/text/Utf8.h"

namespace tabula {

namespace {

std::string FormatDateText(std::string_view text, DateOrder order, std::string_view pattern) {
    const std::optional<double> date = RecognizeDate(text, order);
    if (!date) return {};
    try {
        return FormatDate(*date, pattern);
    } catch (const RuntimeError&) {
        return {};  // a date the formatter cannot write is no date for the cell either
    }
}

}  // namespace

std::string FormatForColumn(const GridState& s, std::string_view text, int32_t col) {
    CheckIndex(s.ColMask.size(), col);
    CheckIndex(s.ColEditWidth.size(), col);
    std::string result;
    switch (s.ColMask[col]) {
        case DateOnly:
            result = FormatDateText(text, DateOrder::MonthFirst, "mm/dd/yyyy");
            break;
        case EuroDate:
            result = FormatDateText(text, DateOrder::DayFirst, "dd/mm/yyyy");
            break;
        default:
            result = text;
            break;
    }
    const int16_t limit = s.ColEditWidth[col];
    if (limit >= 0) result.resize(Utf8Prefix(result, size_t(limit)).size());
    return result;
}

}  // namespace tabula
