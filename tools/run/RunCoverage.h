#pragma once

#include "engine/app/UsageObserver.h"

#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

class Game;

// One family of things a run should reach: where its uses are counted (the
// family name the game notes them under), every member, and the members
// nothing reaches by design, each with the reason.
struct CoverageFamily {
    std::string title;
    std::string counted;
    std::vector<std::string> members;
    std::map<std::string, std::string> exempt;
    // For printing: the group a member belongs to (empty: no groups).
    std::string (*groupOf)(const std::string& member) = nullptr;
};

// Counts what the game uses while it is installed (it installs itself as the
// program's usage observer for its lifetime and puts back the one before),
// and reports, family by family, what was never reached.
class RunCoverage : public UsageObserver {
public:
    RunCoverage();
    ~RunCoverage() override;
    RunCoverage(const RunCoverage&) = delete;
    RunCoverage& operator=(const RunCoverage&) = delete;

    void Used(std::string_view family, std::string_view name) override;
    // How often that name was noted under that family.
    int Count(std::string_view family, std::string_view name) const;

    // The report: for each family how many of its members were reached, and
    // which were not. `untouched` gets "<title>: <member>" for every member
    // neither reached nor exempt.
    std::string Report(
        const std::vector<CoverageFamily>& families, std::vector<std::string>& untouched) const;

private:
    mutable std::mutex mutex;
    std::map<std::string, std::map<std::string, int, std::less<>>, std::less<>> counts;
    UsageObserver* previous = nullptr;
};

// The families of the assembled world, read from the game's own tables: the
// classes of both factories, the objects placed in levels, the spawner kinds,
// the console and script commands, the pickup kinds, the menu pages, the
// sound events (grouped into their families) and the effect files.
std::vector<CoverageFamily> WorldCoverageFamilies(Game& game);

// The family of a sound event by its name ("Menu", "Player", "Bosses", ...).
std::string SoundEventFamily(const std::string& event);
