#include "engine/platform/CrashReport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/mman.h>
#include <unistd.h>

namespace {

TEST(CrashReportName, LocalTimeIsWrittenUnpadded)
{
    // 5 March 2016, 09:07:03 local time, one hour east of UTC.
    const long long utc = 1457168823LL - 3600;
    char name[64];
    const size_t length = platform::FormatCrashBaseName(platform::CivilTime(utc, 3600), name, sizeof(name));
    EXPECT_EQ(std::string(name, length), "Crash_2016-3-5_9-7-3");

    struct Case {
        long long utc;
        long offset;
        const char* expected;
    } cases[] = {
        {0, 0, "Crash_1970-1-1_0-0-0"},
        {951782400, 0, "Crash_2000-2-29_0-0-0"}, // leap day
        {1704067199, 0, "Crash_2023-12-31_23-59-59"},
        {1704067199, 1, "Crash_2024-1-1_0-0-0"}, // the offset crosses the year
        {0, -3600, "Crash_1969-12-31_23-0-0"},
    };
    for (const Case& c : cases) {
        const size_t n
            = platform::FormatCrashBaseName(platform::CivilTime(c.utc, c.offset), name, sizeof(name));
        EXPECT_EQ(std::string(name, n), c.expected) << c.utc;
    }
    // A buffer too small is cut, never overrun.
    char tiny[8];
    EXPECT_EQ(platform::FormatCrashBaseName(platform::CivilTime(0, 0), tiny, sizeof(tiny)), 7u);
    EXPECT_STREQ(tiny, "Crash_1");
}

// Crashes the way the test asks; kept out of line so the backtrace names it.
[[gnu::noinline]] void CrashOnPurpose(int signal)
{
    if (signal == SIGSEGV) {
        // A real fault: a write to a page that allows no access.
        void* page = ::mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        *static_cast<volatile int*>(page) = 1;
    }
    std::abort();
}

class CrashReports : public testing::Test {
protected:
    void SetUp() override
    {
        // The child is a fork: it writes where this process set up.
        GTEST_FLAG_SET(death_test_style, "fast");
        user = std::filesystem::temp_directory_path() / ("quenholt_crash_" + std::to_string(::getpid()));
        std::filesystem::remove_all(user);
        std::filesystem::create_directories(user);
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(user, ignored);
    }

    // Dies by the signal in a child process whose handler writes into the
    // user folder's "Screenshots" folder.
    void CrashInChild(int signal)
    {
        const std::string userPath = user.string() + "/";
        EXPECT_EXIT(
            {
                platform::InstallCrashHandler();
                platform::UseUserCrashReportFolder(userPath);
                CrashOnPurpose(signal);
            },
            testing::KilledBySignal(signal), "");
    }

    std::vector<std::string> Reports()
    {
        std::vector<std::string> texts;
        if (!std::filesystem::exists(user / "Screenshots"))
            return texts;
        for (const auto& entry : std::filesystem::directory_iterator(user / "Screenshots")) {
            EXPECT_EQ(entry.path().filename().string().rfind("Crash_", 0), 0u);
            EXPECT_EQ(entry.path().extension(), ".dmp");
            std::ifstream in(entry.path());
            std::stringstream text;
            text << in.rdbuf();
            texts.push_back(text.str());
        }
        return texts;
    }

    std::filesystem::path user;
};

TEST_F(CrashReports, ASegmentationFaultLeavesASymbolisedReportAndStillDiesByItsSignal)
{
    CrashInChild(SIGSEGV);
    const auto reports = Reports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("SIGSEGV"), std::string::npos) << reports[0];
    EXPECT_NE(reports[0].find("CrashOnPurpose"), std::string::npos) << reports[0];
}

TEST_F(CrashReports, AnAbortLeavesItsOwnReportBesideAnEarlierOne)
{
    CrashInChild(SIGABRT);
    CrashInChild(SIGABRT); // most likely the same second: a second file, not a replaced one
    const auto reports = Reports();
    ASSERT_EQ(reports.size(), 2u);
    for (const std::string& report : reports) {
        EXPECT_NE(report.find("SIGABRT"), std::string::npos) << report;
        EXPECT_NE(report.find("CrashOnPurpose"), std::string::npos) << report;
    }
}

// Without a user folder the report goes to the user folder's fallback,
// made at the crash, or nowhere: never beside the program. The error stream
// says where it went.
TEST_F(CrashReports, WithoutAUserFolderTheReportGoesToTheFallbackOrNowhereAndTheErrorStreamSaysWhere)
{
    const std::string share = (user / "share").string();
    EXPECT_EXIT(
        {
            setenv("XDG_DATA_HOME", share.c_str(), 1);
            platform::InstallCrashHandler();
            platform::UseUserCrashReportFolder("");
            CrashOnPurpose(SIGABRT);
        },
        testing::KilledBySignal(SIGABRT), "Crash report: " + share + "/Quenholt/Screenshots/Crash_");
    const auto reports = std::filesystem::directory_iterator(user / "share" / "Quenholt" / "Screenshots");
    EXPECT_EQ(std::distance(begin(reports), end(reports)), 1);
    EXPECT_EXIT(
        {
            unsetenv("XDG_DATA_HOME");
            unsetenv("HOME");
            platform::InstallCrashHandler();
            CrashOnPurpose(SIGABRT);
        },
        testing::KilledBySignal(SIGABRT), "Crash: no report written: there is no user folder");
}

TEST(CrashReportFolder, AnEmptyUserFolderKeepsTheFolderSetBefore)
{
    const std::string before = platform::GetCrashReportFolder();
    platform::SetCrashReportFolder("/some/where/");
    EXPECT_EQ(platform::GetCrashReportFolder(), "/some/where");
    platform::UseUserCrashReportFolder("");
    EXPECT_EQ(platform::GetCrashReportFolder(), "/some/where");
    platform::SetCrashReportFolder("");
    EXPECT_EQ(platform::GetCrashReportFolder(), "") << "nowhere, never the working folder";
    platform::SetCrashReportFolder(before);
}

} // namespace
