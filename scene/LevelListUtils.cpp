#include "scene/LevelListUtils.h"

#include <algorithm>
#include <numeric>

#include "engine/serial/ISerialization.h"

int CountSerializable(const std::vector<ISerialization*>& list)
{
    return CountSerializable<ISerialization>(list);
}

namespace detail {

void SortPairsByKey(std::vector<void*>& items, std::vector<int32_t>& keys)
{
    // A stable sort of the pair indices by key: the same order as a quicksort
    // that takes the last pair as pivot and files equal keys before it, without
    // its recursion depth on long sorted lists.
    std::vector<size_t> order(items.size());
    std::iota(order.begin(), order.end(), size_t { 0 });
    std::stable_sort(order.begin(), order.end(), [&keys](size_t a, size_t b) { return keys[a] < keys[b]; });
    std::vector<void*> sortedItems;
    std::vector<int32_t> sortedKeys;
    sortedItems.reserve(items.size());
    sortedKeys.reserve(keys.size());
    for (size_t i : order) {
        sortedItems.push_back(items[i]);
        sortedKeys.push_back(keys[i]);
    }
    items.swap(sortedItems);
    keys.swap(sortedKeys);
}

} // namespace detail
