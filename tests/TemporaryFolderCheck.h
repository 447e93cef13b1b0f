#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

// Holds every test to what it makes in the run's temporary folder
// (RunSandbox): a test that leaves something there fails, naming it, and so
// does a suite whose fixture leaves something after its last test. What was
// left is removed, so the next test starts from the folder as it was.
class TemporaryFolderCheck : public testing::EmptyTestEventListener {
public:
    explicit TemporaryFolderCheck(std::filesystem::path folder);

    void OnTestStart(const testing::TestInfo& test) override;
    void OnTestEnd(const testing::TestInfo& test) override;
    void OnTestSuiteEnd(const testing::TestSuite& suite) override;

    // The names of what `folder` holds.
    static std::set<std::string> Entries(const std::filesystem::path& folder);

private:
    // Fails the current test (or suite), naming what `left` holds, and removes it.
    void Refuse(const std::set<std::string>& left, const std::string& who);

    std::filesystem::path folder;
    std::set<std::string> atStart;
};
