#include "alerts/alert_record.h"

#include <algorithm>

void AlertRecord::build(std::u16string_view newText, std::int32_t newLevel)
{
    *this = AlertRecord {};
    auto const length = std::min<std::size_t>(newText.size(), kTextCapacity - 1);
    std::copy_n(newText.begin(), length, text);
    level = newLevel;
}

void AlertRecord::setText(std::u16string_view newText)
{
    auto const length = std::min<std::size_t>(newText.size(), kTextCapacity - 1);
    std::fill(std::copy_n(newText.begin(), length, text), std::end(text), u'\0');
}

std::u16string_view AlertRecord::textView() const
{
    auto const end = std::find(std::begin(text), std::end(text), u'\0');
    return { text, static_cast<std::size_t>(end - std::begin(text)) };
}

void buildAlertRows(std::span<AlertRow const> rows, std::span<AlertRecord, kAlertRecordCount> records)
{
    for (AlertRow const& row : rows)
        records[row.slot].build(row.text, row.level);
}
