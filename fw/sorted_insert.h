#pragma once

// The index a sorted list gives a new entry among count entries: after every
// entry that does not sort after it, so that equal entries stay in arrival
// order. sortsBefore(i) tells whether the new entry sorts before entry i.
template <typename SortsBefore> int SortedInsertIndex(int count, SortsBefore sortsBefore) {
    int low = 0;
    int high = count;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (sortsBefore(middle))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}
