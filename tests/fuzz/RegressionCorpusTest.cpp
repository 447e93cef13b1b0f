// Every file of tests/data/regressions/<target>/ once broke (or could break)
// the reader of that fuzz target: each must now end quickly, with bounded
// memory, and, for readers that report refusals, with a message naming it.

#include "fuzz/FuzzTarget.h"
#include "fuzz/FuzzWorld.h"
#include "tests/engine/platform/DebugCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#if defined(__SANITIZE_ADDRESS__)
#define QUENHOLT_COUNTS_ALLOCATIONS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUENHOLT_COUNTS_ALLOCATIONS 1
#endif
#endif

#ifdef QUENHOLT_COUNTS_ALLOCATIONS
// The sanitizer runtime's allocation hooks (its header is not always installed).
extern "C" int __sanitizer_install_malloc_and_free_hooks(
    void (*onMalloc)(const volatile void*, size_t), void (*onFree)(const volatile void*));
extern "C" size_t __sanitizer_get_allocated_size(const volatile void* pointer);
// The leak check a fuzz run makes after an input that allocated more than it
// freed, with the same suppressions (LSAN_OPTIONS); non-zero when it found one.
extern "C" int __lsan_do_recoverable_leak_check();
#endif

namespace {

namespace fs = std::filesystem;

constexpr size_t kMaxLoadBytes = size_t(64) << 20;
// A hang guard, not a speed target: a case that once looped or went quadratic
// takes minutes; a sound read takes well under a second on a quiet machine and
// several with every core busy under the sanitizers. Speed is the benchmarks'.
constexpr auto kMaxLoadTime = std::chrono::seconds(60);

// Bytes allocated and not yet freed since Reset, and their peak, counted
// through the sanitizer's allocation hooks (without a sanitizer, nothing is
// counted and the memory bound is not checked).
class AllocationMeter {
public:
    static AllocationMeter& Get()
    {
        static AllocationMeter meter;
        return meter;
    }
    void Start()
    {
        live = 0;
        peak = 0;
        counting = true;
    }
    size_t Stop()
    {
        counting = false;
        return peak;
    }
    static bool Counts()
    {
#ifdef QUENHOLT_COUNTS_ALLOCATIONS
        return true;
#else
        return false;
#endif
    }

private:
    AllocationMeter()
    {
#ifdef QUENHOLT_COUNTS_ALLOCATIONS
        __sanitizer_install_malloc_and_free_hooks(&OnMalloc, &OnFree);
#endif
    }
    static void OnMalloc(const volatile void*, size_t size)
    {
        AllocationMeter& m = Get();
        if (!m.counting)
            return;
        const long long now = m.live += static_cast<long long>(size);
        long long seen = m.peak;
        while (now > seen && !m.peak.compare_exchange_weak(seen, now)) { }
    }
    static void OnFree(const volatile void* pointer)
    {
#ifdef QUENHOLT_COUNTS_ALLOCATIONS
        AllocationMeter& m = Get();
        if (m.counting && pointer != nullptr)
            m.live -= static_cast<long long>(__sanitizer_get_allocated_size(pointer));
#else
        (void)pointer;
#endif
    }

    std::atomic<long long> live {0};
    std::atomic<long long> peak {0};
    std::atomic<bool> counting {false};
};

std::vector<uint8_t> ReadAll(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

const fs::path kCorpus = fs::path(QUENHOLT_TEST_DATA_DIR) / "regressions";

TEST(RegressionCorpus, EveryFolderBelongsToAFuzzTarget)
{
    ASSERT_TRUE(fs::is_directory(kCorpus));
    for (const auto& entry : fs::directory_iterator(kCorpus)) {
        if (entry.is_directory()) {
            EXPECT_NE(fuzz::FindTarget(entry.path().filename().string()), nullptr)
                << entry.path() << " has no fuzz target of that name in fuzz/targets/";
        }
    }
}

TEST(RegressionCorpus, EveryFileEndsQuicklyWithBoundedMemoryAndAClearError)
{
    // The targets share one world with a game of its own; it ends with the
    // test, so the tests after it find no game.
    struct WorldEnds {
        ~WorldEnds() { fuzz::ReleaseFuzzWorld(); }
    } worldEnds;
    if (AllocationMeter::Counts()) {
        // The meter sees what a load allocates.
        AllocationMeter::Get().Start();
        auto block = std::make_unique<std::vector<uint8_t>>(size_t(3) << 20);
        EXPECT_GE(AllocationMeter::Get().Stop(), size_t(3) << 20);
    }
    int files = 0;
    for (const fuzz::Target& target : fuzz::Targets()) {
        const fs::path folder = kCorpus / target.name;
        if (!fs::is_directory(folder))
            continue;
        std::vector<fs::path> paths;
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.is_regular_file())
                paths.push_back(entry.path());
        std::sort(paths.begin(), paths.end());
        for (const fs::path& path : paths) {
            ++files;
            const std::vector<uint8_t> bytes = ReadAll(path);
            DebugCapture debug;
            const auto start = std::chrono::steady_clock::now();
            AllocationMeter::Get().Start();
            const bool accepted = target.body({bytes, path.string()});
            const size_t peak = AllocationMeter::Get().Stop();
            const auto took = std::chrono::steady_clock::now() - start;
            const std::string messages = debug.Text();

            SCOPED_TRACE(target.name + ": " + path.filename().string());
            EXPECT_LT(took, kMaxLoadTime);
            if (AllocationMeter::Counts()) {
                EXPECT_LE(peak, kMaxLoadBytes);
            }
            if (!accepted && target.reports == fuzz::Reports::FileName) {
                EXPECT_NE(messages.find(path.string()), std::string::npos) << messages;
            }
        }
#ifdef QUENHOLT_COUNTS_ALLOCATIONS
        // Leaks are judged as the fuzz runs judge them, per target: a leak a
        // fuzz run reports fails here too, and one it lets pass (inside a
        // library, suppressed) passes here.
        EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0) << target.name << ": leak after its files";
#endif
    }
    EXPECT_GT(files, 0);
}

} // namespace
