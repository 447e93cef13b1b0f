#include "engine/platform/CrashReport.h"

#include "engine/platform/Paths.h"

#define UNW_LOCAL_ONLY
#include <libunwind.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int kSignals[] = {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL};
constexpr size_t kPathSize = 4096;

// The handler's state, filled before any crash: it must not allocate.
// Empty: no folder to write into, the report goes nowhere.
char g_reportFolder[kPathSize] = "";
long g_utcOffset = 0;
std::atomic<int> g_inHandler {0};
alignas(16) char g_alternateStack[64 * 1024];

// Small writers into a fixed buffer: no allocation, no locks.
class Text {
public:
    Text(char* buffer, size_t size)
        : buffer(buffer)
        , size(size)
    {
        buffer[0] = '\0';
    }
    Text& Add(const char* text)
    {
        while (*text && length + 1 < size)
            buffer[length++] = *text++;
        buffer[length] = '\0';
        return *this;
    }
    Text& Number(unsigned long long value, unsigned base = 10)
    {
        char digits[24];
        int count = 0;
        do {
            const unsigned digit = unsigned(value % base);
            digits[count++] = char(digit < 10 ? '0' + digit : 'a' + digit - 10);
            value /= base;
        } while (value && count < 24);
        while (count > 0 && length + 1 < size)
            buffer[length++] = digits[--count];
        buffer[length] = '\0';
        return *this;
    }
    size_t Length() const { return length; }

private:
    char* buffer;
    size_t size;
    size_t length = 0;
};

const char* SignalName(int signal)
{
    switch (signal) {
    case SIGSEGV:
        return "SIGSEGV (segmentation fault)";
    case SIGABRT:
        return "SIGABRT (abort)";
    case SIGBUS:
        return "SIGBUS (bus error)";
    case SIGFPE:
        return "SIGFPE (arithmetic error)";
    case SIGILL:
        return "SIGILL (illegal instruction)";
    default:
        return "fatal signal";
    }
}

void WriteAll(int fd, const char* text, size_t length)
{
    while (length > 0) {
        const ssize_t written = ::write(fd, text, length);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        text += written;
        length -= size_t(written);
    }
}

void SayOnErrorStream(const char* first, const char* second, const char* third)
{
    for (const char* text : {first, second, third})
        WriteAll(STDERR_FILENO, text, std::strlen(text));
}

// Makes the report folder and its parents (the user folder's fallback may
// not exist yet); what cannot be made shows when the report is opened.
void MakeReportFolder()
{
    char path[kPathSize];
    Text(path, sizeof(path)).Add(g_reportFolder);
    for (char* at = path + 1; *at != '\0'; ++at) {
        if (*at != '/')
            continue;
        *at = '\0';
        ::mkdir(path, 0755);
        *at = '/';
    }
    ::mkdir(path, 0755);
}

// Opens a new report file: the base name, then "_2", "_3", ... on a clash.
// `path` receives the name opened.
int OpenReport(const char* base, char* path, size_t size)
{
    MakeReportFolder();
    for (int n = 1; n < 1000; ++n) {
        Text name(path, size);
        name.Add(g_reportFolder).Add("/").Add(base);
        if (n > 1)
            name.Add("_").Number(unsigned(n));
        name.Add(".dmp");
        const int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

void WriteBacktrace(int fd)
{
    unw_context_t context;
    unw_cursor_t cursor;
    if (unw_getcontext(&context) != 0 || unw_init_local(&cursor, &context) != 0)
        return;
    char line[1024];
    char symbol[512];
    for (int frame = 0; frame < 128 && unw_step(&cursor) > 0; ++frame) {
        unw_word_t ip = 0;
        unw_word_t offset = 0;
        unw_get_reg(&cursor, UNW_REG_IP, &ip);
        Text text(line, sizeof(line));
        text.Add("#").Number(unsigned(frame)).Add(" 0x").Number(ip, 16).Add(" ");
        if (unw_get_proc_name(&cursor, symbol, sizeof(symbol), &offset) == 0)
            text.Add(symbol).Add(" + 0x").Number(offset, 16);
        else
            text.Add("??");
        text.Add("\n");
        WriteAll(fd, line, text.Length());
    }
}

void CrashHandler(int signal)
{
    if (g_inHandler.exchange(1) == 0) {
        char base[64];
        FormatCrashBaseName(
            CivilTime(static_cast<long long>(::time(nullptr)), g_utcOffset), base, sizeof(base));
        char path[kPathSize + 128];
        const int fd = g_reportFolder[0] != '\0' ? OpenReport(base, path, sizeof(path)) : -1;
        // Where the report went, or that there is none, for whoever reads
        // the error stream.
        if (fd >= 0)
            SayOnErrorStream("Crash report: ", path, "\n");
        else if (g_reportFolder[0] == '\0')
            SayOnErrorStream("Crash: no report written: there is no user folder", "", "\n");
        else
            SayOnErrorStream("Crash: no report written: ", g_reportFolder, " cannot be written\n");
        if (fd >= 0) {
            char head[256];
            Text text(head, sizeof(head));
            text.Add("Quenholt crash report\nSignal ")
                .Number(unsigned(signal))
                .Add(": ")
                .Add(SignalName(signal));
            text.Add("\nProcess ").Number(unsigned(::getpid())).Add("\nBacktrace:\n");
            WriteAll(fd, head, text.Length());
            WriteBacktrace(fd);
            ::close(fd);
        }
    }
    // The default action ends the process by this signal.
    struct sigaction plain { };
    plain.sa_handler = SIG_DFL;
    sigemptyset(&plain.sa_mask);
    ::sigaction(signal, &plain, nullptr);
    ::raise(signal);
}

long LocalOffset()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    return local.tm_gmtoff;
}

} // namespace

std::tm CivilTime(long long utcSeconds, long offsetSeconds)
{
    const long long seconds = utcSeconds + offsetSeconds;
    long long days = seconds / 86400;
    long long rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    // Days since 1970-01-01 to a civil date (proleptic Gregorian).
    const long long z = days + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long long day = doy - (153 * mp + 2) / 5 + 1;
    const long long month = mp < 10 ? mp + 3 : mp - 9;
    const long long year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    std::tm result {};
    result.tm_year = int(year - 1900);
    result.tm_mon = int(month - 1);
    result.tm_mday = int(day);
    result.tm_hour = int(rest / 3600);
    result.tm_min = int(rest / 60 % 60);
    result.tm_sec = int(rest % 60);
    return result;
}

size_t FormatCrashBaseName(const std::tm& local, char* out, size_t size)
{
    Text text(out, size);
    text.Add("Crash_").Number(unsigned(local.tm_year + 1900)).Add("-").Number(unsigned(local.tm_mon + 1));
    text.Add("-").Number(unsigned(local.tm_mday)).Add("_").Number(unsigned(local.tm_hour));
    text.Add("-").Number(unsigned(local.tm_min)).Add("-").Number(unsigned(local.tm_sec));
    return text.Length();
}

void SetCrashReportFolder(const std::string& folder)
{
    g_utcOffset = LocalOffset();
    std::string kept = folder;
    while (kept.size() > 1 && kept.back() == '/')
        kept.pop_back();
    const size_t length = std::min(kept.size(), kPathSize - 1);
    std::memcpy(g_reportFolder, kept.data(), length);
    g_reportFolder[length] = '\0';
}

std::string GetCrashReportFolder()
{
    return g_reportFolder;
}

void UseUserCrashReportFolder(const std::string& userPath)
{
    if (userPath.empty())
        return;
    const std::string folder = userPath + "Screenshots";
    CreateDirectories(folder);
    SetCrashReportFolder(folder);
}

void InstallCrashHandler()
{
    // Until the user folder is known (and when there is none), the reports go
    // to its fallback: never beside the program.
    const std::string fallback = GetFallbackUserFolder();
    SetCrashReportFolder(fallback.empty() ? std::string() : fallback + "Screenshots");
    stack_t alternate {};
    alternate.ss_sp = g_alternateStack;
    alternate.ss_size = sizeof(g_alternateStack);
    ::sigaltstack(&alternate, nullptr);
    for (int signal : kSignals) {
        struct sigaction action { };
        action.sa_handler = CrashHandler;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_ONSTACK | SA_NODEFER;
        ::sigaction(signal, &action, nullptr);
    }
}

} // namespace platform
