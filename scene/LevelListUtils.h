#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class ISerialization;

// Small list routines of the level writer and of layer deletion.

// Orders two parallel lists (items and their keys) by key, smallest first;
// pairs with equal keys keep their order. Lists of different lengths are left
// unchanged.
template <class T>
void SortByCount(std::vector<T*>& items, std::vector<int32_t>& keys);

// Number of entries that will really be written: null entries and entries
// whose skip flag is clear.
int CountSerializable(const std::vector<ISerialization*>& list);

// Removes the entry at index (nothing for an index outside the list); the
// element itself is not deleted.
template <class T>
void EraseAt(int index, std::vector<T*>& list)
{
    if (index < 0 || static_cast<size_t>(index) >= list.size())
        return;
    list.erase(list.begin() + index);
}

template <class T>
int CountSerializable(const std::vector<T*>& list)
{
    int count = 0;
    for (T* entry : list) {
        if (entry == nullptr || !entry->IsSkipSerialize())
            ++count;
    }
    return count;
}

namespace detail {
void SortPairsByKey(std::vector<void*>& items, std::vector<int32_t>& keys);
}

template <class T>
void SortByCount(std::vector<T*>& items, std::vector<int32_t>& keys)
{
    if (items.size() != keys.size() || items.size() < 2)
        return;
    std::vector<void*> erased(items.begin(), items.end());
    detail::SortPairsByKey(erased, keys);
    for (size_t i = 0; i < items.size(); ++i)
        items[i] = static_cast<T*>(erased[i]);
}
