#pragma once

#include <string>
#include <utility>
#include <vector>

// The dialogue manager. Only the portrait links are here yet: a dialogue
// character name shown with a graphical object of the game library.
class BGEvent_DialogueManager {
public:
    static void LinkCharacterToGraphical(std::string characterName, std::string objectName)
    {
        PortraitLinks().emplace_back(std::move(characterName), std::move(objectName));
    }
    static std::vector<std::pair<std::string, std::string>>& PortraitLinks()
    {
        static std::vector<std::pair<std::string, std::string>> links;
        return links;
    }
};
