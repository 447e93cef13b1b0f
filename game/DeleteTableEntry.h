#pragma once

#include <cstddef>
#include <vector>

// Deletes the entry at `index` of a table of owned pointers and erases its
// slot; the later entries move down. An index not below the count changes
// nothing, and a null entry only loses its slot.
template <class T> void DeleteTableEntry(size_t index, std::vector<T*>& table)
{
    if (index >= table.size())
        return;
    T* entry = table[index];
    table.erase(table.begin() + static_cast<std::ptrdiff_t>(index));
    delete entry;
}
