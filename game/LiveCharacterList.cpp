#include "game/LiveCharacterList.h"

#include <algorithm>
#include <utility>

LiveCharacterList& LiveCharacterList::operator=(std::vector<CharacterObject*> entries)
{
    characters = std::move(entries);
    places.clear();
    emptySlots = 0;
    Renumber(0);
    return *this;
}

void LiveCharacterList::push_back(CharacterObject* character)
{
    characters.push_back(character);
    if (character != nullptr)
        places[character] = characters.size() - 1;
}

void LiveCharacterList::MoveLastBefore(const CharacterObject* before)
{
    const auto found = places.find(before);
    if (characters.empty() || found == places.end() || found->second + 1 >= characters.size())
        return;
    const size_t place = found->second;
    std::rotate(
        characters.begin() + static_cast<std::ptrdiff_t>(place), characters.end() - 1, characters.end());
    Renumber(place);
}

bool LiveCharacterList::Contains(const CharacterObject* character) const
{
    return character != nullptr && places.contains(character);
}

bool LiveCharacterList::Remove(const CharacterObject* character)
{
    const auto found = character != nullptr ? places.find(character) : places.end();
    if (found == places.end())
        return false;
    const size_t place = found->second;
    places.erase(found);
    if (holds > 0) {
        characters[place] = nullptr;
        ++emptySlots;
        return true;
    }
    characters.erase(characters.begin() + static_cast<std::ptrdiff_t>(place));
    Renumber(place);
    return true;
}

void LiveCharacterList::clear()
{
    characters.clear();
    places.clear();
    emptySlots = 0;
}

void LiveCharacterList::Renumber(size_t from)
{
    for (size_t i = from; i < characters.size(); ++i)
        if (characters[i] != nullptr)
            places[characters[i]] = i;
}

void LiveCharacterList::DropEmptySlots()
{
    if (emptySlots == 0)
        return;
    std::erase(characters, nullptr);
    emptySlots = 0;
    Renumber(0);
}

LiveCharacterList::RemovalHold::RemovalHold(LiveCharacterList& held)
    : list(held)
{
    ++list.holds;
}

LiveCharacterList::RemovalHold::~RemovalHold()
{
    if (--list.holds == 0)
        list.DropEmptySlots();
}
