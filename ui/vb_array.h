#pragma once

#include <array>
#include <cstddef>

// A fixed-bounds array addressed with call syntax, fixedSpot(3) or car(7), so
// that the window's fields and control arrays keep their own lower and upper
// bounds (spaceMarks runs from 0, car from 1). An index outside the bounds is a
// programming error and throws std::out_of_range.
template <typename T, int First, int Last> class VbArray
{
    static_assert(First <= Last);

public:
    static constexpr int first = First;
    static constexpr int last = Last;

    T &operator()(int index) { return items.at(slot(index)); }
    const T &operator()(int index) const { return items.at(slot(index)); }

    void fill(const T &value) { items.fill(value); }

private:
    static std::size_t slot(int index) { return static_cast<std::size_t>(index - First); }

    std::array<T, Last - First + 1> items{};
};
