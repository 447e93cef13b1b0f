#pragma once

#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

// The first entry of each name in one of the game's tables (sprites,
// animated sprites) while the game library is read: every animation frame
// and object names its sprite, and a walk over ten thousand sprites for each
// was the largest part of the start-up. While the library is read the tables
// only grow, so the index takes in what was appended since the last look-up
// and its answers are those of the walk. Look-ups may come from the render
// thread too: one lock keeps the index whole.
template <class T> class NameIndex {
public:
    T* Find(const std::vector<T*>& table, const std::string& name)
    {
        std::lock_guard lock(mutex);
        if (table.size() < indexed) {
            // Emptied under the index: start again.
            first.clear();
            indexed = 0;
        }
        for (; indexed < table.size(); ++indexed)
            if (table[indexed] != nullptr)
                first.emplace(table[indexed]->GetName(), indexed);
        const auto found = first.find(name);
        return found != first.end() ? table[found->second] : nullptr;
    }

private:
    std::mutex mutex;
    std::unordered_map<std::string, size_t> first;
    size_t indexed = 0;
};
