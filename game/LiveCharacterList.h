#pragma once

#include <cstddef>
#include <initializer_list>
#include <unordered_map>
#include <vector>

class CharacterObject;

// The live characters in their order (made last at the end, unless placed
// before another), with the place of each beside them: finding, removing
// and asking about one character costs the same however many there are.
// While removals are held (the frame's walk over every character), a removed
// character leaves an empty slot, so the indices of the walk stay as they
// were; the empty slots go in one pass when the last hold ends. The list does
// not own the characters: the game deletes them.
class LiveCharacterList {
public:
    using const_iterator = std::vector<CharacterObject*>::const_iterator;

    LiveCharacterList() = default;
    LiveCharacterList(std::initializer_list<CharacterObject*> entries) { *this = std::vector(entries); }
    LiveCharacterList& operator=(std::vector<CharacterObject*> entries);
    LiveCharacterList& operator=(std::initializer_list<CharacterObject*> entries)
    {
        return *this = std::vector(entries);
    }

    size_t size() const { return characters.size(); }
    bool empty() const { return characters.empty(); }
    CharacterObject* operator[](size_t index) const { return characters[index]; }
    CharacterObject* back() const { return characters.back(); }
    const_iterator begin() const { return characters.begin(); }
    const_iterator end() const { return characters.end(); }
    bool operator==(const std::vector<CharacterObject*>& other) const { return characters == other; }

    void push_back(CharacterObject* character);
    // Moves the last entry in front of `before`, when the list holds that
    // one elsewhere.
    void MoveLastBefore(const CharacterObject* before);
    bool Contains(const CharacterObject* character) const;
    // Takes the character's entry out; false when the list does not hold it.
    bool Remove(const CharacterObject* character);
    void reserve(size_t count) { characters.reserve(count); }
    void clear();

    // Scoped: removals leave empty slots until the last hold ends.
    class RemovalHold {
    public:
        explicit RemovalHold(LiveCharacterList& list);
        ~RemovalHold();
        RemovalHold(const RemovalHold&) = delete;
        RemovalHold& operator=(const RemovalHold&) = delete;

    private:
        LiveCharacterList& list;
    };

private:
    void Renumber(size_t from);
    void DropEmptySlots();

    std::vector<CharacterObject*> characters;
    std::unordered_map<const CharacterObject*, size_t> places;
    int holds = 0;
    size_t emptySlots = 0;
};
