#pragma once

#include "alerts/alert_record.h"
#include "alerts/warning_facts.h"

#include <cstdint>
#include <span>
#include <string_view>

// The messages of the full warning mode, as tables: each with its slot, text,
// level and the condition that shows it, in the A320 warning computer's own
// words. Slots 0..75 stand in the left column (warnings, cautions and the
// T.O and LDG memos), 76..98 in the right one (memos), as in every message
// set of the page.

// Phases in which a message cannot first appear (one bit per phase 1..10).
using PhaseSet = std::uint16_t;

constexpr PhaseSet phaseBit(FlightPhase phase)
{
    return static_cast<PhaseSet>(1u << static_cast<int>(phase));
}

constexpr bool inPhases(PhaseSet set, FlightPhase phase)
{
    return (set & phaseBit(phase)) != 0;
}

using FactTest = bool (*)(WarningFacts const&);
using FactLevel = std::int32_t (*)(WarningFacts const&);

struct WarningRow {
    int slot;
    std::u16string_view text;
    std::int32_t level;
    FactTest shows;
    PhaseSet inhibited = 0;
    // When the level follows the moment (amber in some phases); null keeps
    // the level above.
    FactLevel levelNow = nullptr;
};

// One line of the T.O or LDG memo: the item and its action until the action
// is done, then the item in its done state. Text marks: '\t' parts the item
// from the action (drawn in the action colour after a dotted run); a leading
// '\v' keeps the memo's title out of sight, so the items of later lines stand
// under the first line's.
struct MemoLine {
    int slot;
    std::u16string_view toDo;
    std::u16string_view done;
    FactTest isDone; // null: the aircraft gives nothing that tells
};

struct Memo {
    FactTest shows;
    std::span<MemoLine const> lines;
};

// Left column, failures: while one shows, the memos make way.
std::span<WarningRow const> fullWarningRows();
std::span<Memo const> fullMemos();
// Right column.
std::span<WarningRow const> fullStatusRows();

// Writes the set into every slot it uses and empties the others.
void buildFullWarningRecords(std::span<AlertRecord, kAlertRecordCount> records);
