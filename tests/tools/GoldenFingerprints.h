#pragma once

#include <fstream>
#include <map>
#include <string>

// The golden pictures' fingerprints (tests/data/golden/fingerprints.txt):
// one "shot fingerprint" a line, the hash of the world's pictures each shot
// was taken with, so a golden comparison is skipped, not failed, when the art
// itself changed.
namespace goldentest {

inline const std::string kGolden = std::string(QUENHOLT_TEST_DATA_DIR) + "/golden";

inline std::map<std::string, std::string> ReadFingerprints()
{
    std::map<std::string, std::string> prints;
    std::ifstream file(kGolden + "/fingerprints.txt");
    for (std::string name, print; file >> name >> print;)
        prints[name] = print;
    return prints;
}

inline void WriteFingerprint(const std::string& name, const std::string& print)
{
    std::map<std::string, std::string> prints = ReadFingerprints();
    prints[name] = print;
    std::ofstream file(kGolden + "/fingerprints.txt", std::ios::trunc);
    for (const auto& [shot, value] : prints)
        file << shot << ' ' << value << '\n';
}

} // namespace goldentest
