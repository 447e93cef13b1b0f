#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <vector>

// Small list routines of the level writer and of layer deletion.

// Orders two parallel lists (items and their keys) by key, smallest first;
// pairs with equal keys keep their order. Lists of different lengths are left
// unchanged.
template <class T> void SortByCount(std::vector<T*>& items, std::vector<int32_t>& keys)
{
    if (items.size() != keys.size() || items.size() < 2)
        return;
    std::vector<size_t> order(items.size());
    std::iota(order.begin(), order.end(), size_t {0});
    std::stable_sort(order.begin(), order.end(), [&keys](size_t a, size_t b) { return keys[a] < keys[b]; });
    std::vector<T*> sortedItems;
    std::vector<int32_t> sortedKeys;
    for (size_t i : order) {
        sortedItems.push_back(items[i]);
        sortedKeys.push_back(keys[i]);
    }
    items.swap(sortedItems);
    keys.swap(sortedKeys);
}

// Number of entries that will really be written: null entries and entries
// whose skip flag is clear.
template <class T> int CountSerializable(const std::vector<T*>& list)
{
    int count = 0;
    for (T* entry : list) {
        if (entry == nullptr || !entry->IsSkipSerialize())
            ++count;
    }
    return count;
}

// Removes the entry at index (nothing for an index outside the list); the
// element itself is not deleted.
template <class T> void EraseAt(int index, std::vector<T*>& list)
{
    if (index < 0 || static_cast<size_t>(index) >= list.size())
        return;
    list.erase(list.begin() + index);
}
