#pragma once

#include <cstddef>

// Counts every allocation made through the global operator new of the test
// program (replaced in counting_operator_new.cpp for the whole program).
std::size_t allocationsSoFar();

// The allocations made while it lives.
class AllocationCounter {
public:
    AllocationCounter()
        : m_start(allocationsSoFar())
    {
    }
    std::size_t count() const { return allocationsSoFar() - m_start; }

private:
    std::size_t m_start;
};
