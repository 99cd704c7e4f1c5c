#pragma once

#include "alerts/alert_record.h"

#include <array>

// A display list of up to 50 records, ordered by ascending level; newer
// records of a level follow older ones.
class AlertList {
public:
    static constexpr int kCapacity = 50;

    // Stores the record before the first entry of a greater level (the last
    // entry falls off a full list) and marks it listed.
    void insert(AlertRecord&);
    // Takes the record out, closing the gap, and marks it not listed.
    void remove(AlertRecord&);
    void clear();

    // Entries in order; null after the last one.
    AlertRecord* at(int index) const { return m_entries[index]; }

private:
    std::array<AlertRecord*, kCapacity> m_entries {};
};
