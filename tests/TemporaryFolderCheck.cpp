#include "TemporaryFolderCheck.h"

#include <system_error>
#include <utility>

TemporaryFolderCheck::TemporaryFolderCheck(std::filesystem::path folder)
    : folder(std::move(folder))
{
}

std::set<std::string> TemporaryFolderCheck::Entries(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error))
        names.insert(entry->path().filename().string());
    return names;
}

void TemporaryFolderCheck::OnTestStart(const testing::TestInfo&)
{
    atStart = Entries(folder);
}

void TemporaryFolderCheck::OnTestEnd(const testing::TestInfo& test)
{
    std::set<std::string> left;
    for (const std::string& name : Entries(folder))
        if (!atStart.contains(name))
            left.insert(name);
    if (!left.empty())
        Refuse(left, std::string("the test ") + test.test_suite_name() + "." + test.name());
}

void TemporaryFolderCheck::OnTestSuiteEnd(const testing::TestSuite& suite)
{
    const std::set<std::string> left = Entries(folder);
    if (!left.empty())
        Refuse(left, std::string("the suite ") + suite.name());
}

void TemporaryFolderCheck::Refuse(const std::set<std::string>& left, const std::string& who)
{
    std::string names;
    for (const std::string& name : left) {
        names += (names.empty() ? "" : ", ") + name;
        std::error_code ignored;
        std::filesystem::remove_all(folder / name, ignored);
    }
    ADD_FAILURE() << who << " left in the temporary folder " << folder.string() << ": " << names;
}
