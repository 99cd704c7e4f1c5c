#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// One message slot: its text (a title may stand between two '!'), its level
// (0 inhibit, 1 high, 2 medium, 3 low), and whether it is active this frame
// and listed in its display list.
struct AlertRecord {
    static constexpr int kTextCapacity = 100;

    char16_t text[kTextCapacity] = {};
    std::int32_t level = 0;
    std::int32_t active = 0;
    std::int32_t listed = 0;
    std::int32_t reserved[2] = {};

    // Sets text and level and clears the other fields; the text is cut to
    // kTextCapacity - 1 units.
    void build(std::u16string_view newText, std::int32_t newLevel);
    // Changes the text alone, keeping the record's place and state: a line
    // whose wording follows its state (a memo item once done).
    void setText(std::u16string_view newText);
    std::u16string_view textView() const;
};

// The 99 slots: 0..75 feed the alert list, 76..98 the status list.
constexpr int kAlertRecordCount = 99;
constexpr int kFirstStatusSlot = 76;

// One row of a message set: the slot it fills, its text and its level.
struct AlertRow {
    int slot;
    std::u16string_view text;
    std::int32_t level;
};

// Writes every row of a message set into its slot.
void buildAlertRows(std::span<AlertRow const> rows, std::span<AlertRecord, kAlertRecordCount> records);
