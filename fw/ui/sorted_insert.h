#pragma once

#include <algorithm>
#include <ranges>

// The index a sorted list gives a new entry among count entries: after every
// entry that does not sort after it, so that equal entries stay in arrival
// order. sortsBefore(i) tells whether the new entry sorts before entry i.
template <typename SortsBefore> int SortedInsertIndex(int count, SortsBefore sortsBefore) {
    const auto indices = std::views::iota(0, count);
    const auto place =
        std::ranges::partition_point(indices, [&](int i) { return !sortsBefore(i); });
    return static_cast<int>(place - indices.begin());
}
