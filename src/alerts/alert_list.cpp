#include "alerts/alert_list.h"

#include <algorithm>

void AlertList::insert(AlertRecord& record)
{
    for (int i = 0; i < kCapacity; ++i) {
        if (m_entries[i] == nullptr) {
            m_entries[i] = &record;
            break;
        }
        if (m_entries[i]->level > record.level) {
            // The entry in the last place falls off a full list.
            std::copy_backward(m_entries.begin() + i, m_entries.end() - 1, m_entries.end());
            m_entries[i] = &record;
            break;
        }
    }
    // Also when a full list of equal or lower levels had no room: the record
    // counts as listed until its condition clears.
    record.listed = 1;
}

void AlertList::remove(AlertRecord& record)
{
    for (int i = 0; i < kCapacity && m_entries[i] != nullptr; ++i) {
        if (m_entries[i] == &record) {
            std::copy(m_entries.begin() + i + 1, m_entries.end(), m_entries.begin() + i);
            m_entries.back() = nullptr;
            break;
        }
    }
    record.listed = 0;
}

void AlertList::clear()
{
    m_entries.fill(nullptr);
}
