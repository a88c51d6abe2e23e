// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The journal's bytes layer, without Qt: built natively and, with MinGW, for Windows to run
// under Wine. A small table-driven harness: each group runs its rows, a failed check names
// the row and the line. "journalfile_test hold FILE MS" is the helper that holds a whole-file
// lock on FILE for MS milliseconds, as another program would.
#include "result/journalfile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <source_location>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using journalfile::Failure;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

int failures = 0;
std::string row;

void check(bool ok, const char *what, std::source_location at = std::source_location::current())
{
    if (!ok) {
        ++failures;
        std::fprintf(stderr, "FAIL %s: %s (line %u)\n", row.c_str(), what, unsigned(at.line()));
    }
}

void start(const char *group, const char *name)
{
    row = std::string(group) + " / " + name;
    std::printf("%s\n", row.c_str());
}

// A new folder per row, under one folder for this run (Wine reuses process ids: cleared first).
fs::path freshFolder()
{
    static int count = 0;
#ifdef _WIN32
    const auto pid = GetCurrentProcessId();
#else
    const auto pid = getpid();
#endif
    static const fs::path run = fs::temp_directory_path() / ("journalfile_test." + std::to_string(pid));
    std::error_code ignored;
    if (count == 0)
        fs::remove_all(run, ignored);
    const fs::path folder = run / std::to_string(++count);
    fs::create_directories(folder);
    return folder;
}

std::string readFile(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeFile(const fs::path &file, std::string_view bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

long long millisecondsSince(Clock::time_point begin)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - begin).count();
}

// --- another process holding the lock -------------------------------------------------------
#ifdef _WIN32
using Child = HANDLE;

int holdLock(const char *file, int ms)
{
    HANDLE handle = CreateFileA(file, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    OVERLAPPED from{};
    if (handle == INVALID_HANDLE_VALUE || !LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &from))
        return 1;
    writeFile(std::string(file) + ".held", "");
    Sleep(DWORD(ms));
    return 0;
}

Child spawnHolder(const fs::path &file, int ms)
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" hold \"" + file.wstring() + L"\" " + std::to_wstring(ms);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

void waitFor(Child child)
{
    if (child) {
        WaitForSingleObject(child, INFINITE);
        CloseHandle(child);
    }
}
#else
using Child = pid_t;

int holdLock(const char *file, int ms)
{
    const int fd = ::open(file, O_RDWR | O_CREAT, 0666);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (fd < 0 || ::fcntl(fd, F_SETLKW, &lock) != 0)
        return 1;
    writeFile(std::string(file) + ".held", "");
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return 0;
}

Child spawnHolder(const fs::path &file, int ms)
{
    const std::string path = file.string(), time = std::to_string(ms);
    char *argv[] = {const_cast<char *>("journalfile_test"), const_cast<char *>("hold"),
                    const_cast<char *>(path.c_str()), const_cast<char *>(time.c_str()), nullptr};
    pid_t pid = 0;
    return posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, argv, environ) == 0 ? pid : 0;
}

void waitFor(Child child)
{
    int status = 0;
    if (child > 0)
        waitpid(child, &status, 0);
}
#endif

// --- groups -----------------------------------------------------------------------------------

void foldersMade()
{
    for (const auto &[name, outerExists] :
         {std::pair{"neither folder exists", false}, std::pair{"the outer folder exists, with a file in it", true}}) {
        start("folders made", name);
        const fs::path drive = freshFolder();
        if (outerExists) {
            fs::create_directory(drive / "test");
            writeFile(drive / "test" / "keep.txt", "keep");
        }
        // Forward slashes, as Qt hands the path over on every system.
        check(journalfile::append((drive / "test/Internet/1.txt").generic_string(), "line\r\n").ok(), "appended");
        check(readFile(drive / "test/Internet/1.txt") == "line\r\n", "the journal holds the line");
        check(!outerExists || readFile(drive / "test/keep.txt") == "keep", "the folder's other file is untouched");
    }
}

void lineEndBeforeRecord()
{
    struct Row {
        const char *name;
        std::optional<std::string> before;
        std::string after;
    };
    const std::string allBytes = [] {
        std::string bytes;
        for (int b = 0; b < 256; ++b)
            bytes += char(b);
        return bytes;
    }();
    const Row rows[] = {
        {"no file yet", std::nullopt, "new\r\n"},
        {"an empty file", "", "new\r\n"},
        {"last line ends in CR LF", "old\r\n", "old\r\nnew\r\n"},
        {"last line without its end", "old", "old\r\nnew\r\n"},
        {"last line ends in LF only: a line end as it is", "old\n", "old\nnew\r\n"},
        {"last line ends in CR only", "old\r", "old\r\r\nnew\r\n"},
        {"every byte value, kept as it is", allBytes, allBytes + "\r\nnew\r\n"},
    };
    for (const Row &r : rows) {
        start("line end before the record", r.name);
        const fs::path file = freshFolder() / "1.txt";
        if (r.before)
            writeFile(file, *r.before);
        check(journalfile::append(file.string(), "new\r\n").ok(), "appended");
        check(readFile(file) == r.after, "the file byte for byte");
    }
}

// The file-size limit is set by the test itself on POSIX, and by tests/wine_run.sh around
// Wine: Wine cannot make a full disk or a quota for a Windows program (its drives are folders
// of the host), but a limit on the Wine process cuts a WriteFile short just the same, and the
// write after it fails (as ERROR_GEN_FAILURE, Wine's word for EFBIG).
template <class Append> journalfile::Result withSizeLimit([[maybe_unused]] long limit, Append append)
{
#ifndef _WIN32
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = rlim_t(limit);
    setrlimit(RLIMIT_FSIZE, &limited);
    const journalfile::Result result = append();
    setrlimit(RLIMIT_FSIZE, &saved);
    return result;
#else
    return append();
#endif
}

void shortWriteRolledBack(long limit)
{
    const size_t room = size_t(limit) - 6; // 6 bytes of the record fit, the rest does not
    const std::pair<const char *, std::string> rows[] = {
        {"after a whole line", std::string(room - 2, 'x') + "\r\n"},
        {"after a line without its end", std::string(room, 'x')},
    };
    for (const auto &[name, before] : rows) {
        start("short write rolled back", name);
        const fs::path file = freshFolder() / "1.txt";
        writeFile(file, before);
        const journalfile::Result result =
            withSizeLimit(limit, [&] { return journalfile::append(file.string(), "a line that does not fit\r\n"); });
#ifndef _WIN32
        check(result.failure == Failure::FileTooBig, "reported as the size limit");
#endif
        check(!result.ok() && !result.systemText.empty(), "reported with the system's words");
        check(readFile(file) == before, "the file exactly as it was");
    }

    // The first record of a new journal does not fit (a full disk): neither the file nor the
    // folders made for it stay behind.
    start("short write rolled back", "the first record in new folders");
    const fs::path drive = freshFolder();
    const journalfile::Result result = withSizeLimit(limit, [&] {
        return journalfile::append((drive / "test/Internet/1.txt").string(), std::string(size_t(limit) + 10, 'x'));
    });
    check(!result.ok(), "reported");
    check(!fs::exists(drive / "test"), "no file and no folder left behind");
}

// A file system that loses an append, or a close() that complains after all went well: the
// read-back at the record's offset decides.
void readBack()
{
    struct Row {
        const char *name;
        journalfile::Simulated simulated;
        std::optional<std::string> before;
        bool saved;
        std::optional<std::string> after; // nullopt: no file
    };
    const Row rows[] = {
        {"the append lost", {.appendLost = true}, "old\r\n", false, "old\r\n"},
        {"the append lost in a new file", {.appendLost = true}, std::nullopt, false, std::nullopt},
        // Same length, other bytes: only a comparison of the bytes themselves finds it.
        {"other bytes where the record went", {.appendOverwritten = true}, "old\r\n", false, "old\r\n#####"},
        {"close fails, the record in place", {.closeFails = true}, "old\r\n", true, "old\r\nnew\r\n"},
        {"close fails in a new file, the record in place", {.closeFails = true}, std::nullopt, true, "new\r\n"},
    };
    for (const Row &r : rows) {
        start("read back", r.name);
        const fs::path file = freshFolder() / "1.txt";
        if (r.before)
            writeFile(file, *r.before);
        const journalfile::Result result = journalfile::append(file.string(), "new\r\n", 10s, r.simulated);
        check(result.ok() == r.saved, "saved only when read back in place");
        check(r.saved || result.failure == Failure::NotInPlace, "reported as not in place");
        check(fs::exists(file) == bool(r.after), "a new file stays only with the record in it");
        check(!r.after || readFile(file) == *r.after, "the file byte for byte");
    }
}

void emptied()
{
    struct Row {
        const char *name;
        std::optional<std::string> before;
        bool condition;
        bool emptied;
    };
    for (const Row &r :
         {Row{"the condition holds", "a\r\nb\r\n", true, true},
          Row{"the condition does not hold", "a\r\nb\r\n", false, false}, Row{"no file", std::nullopt, true, false},
          Row{"read in several pieces", std::string(200'000, 'x') + "\r\n", true, true}}) {
        start("emptied when the content allows", r.name);
        const fs::path file = freshFolder() / "outbox.txt";
        if (r.before)
            writeFile(file, *r.before);
        std::string seen;
        bool done = true;
        const journalfile::Result result = journalfile::emptyIf(
            file.string(), [&](std::string_view piece, bool end) { return seen += piece, end && r.condition; }, done);
        check(result.ok(), "no failure");
        check(done == r.emptied, "emptied as the condition says");
        check(seen == r.before.value_or(""), "the condition saw the whole content");
        check(fs::exists(file) == bool(r.before), "a missing file is not made");
        check(!r.before || readFile(file) == (r.emptied ? "" : *r.before), "the file byte for byte");
    }
}

void lockHeldElsewhere()
{
    struct Row {
        const char *name;
        int holdMs;
        std::chrono::milliseconds wait;
        bool written;
    };
    for (const Row &r : {Row{"released in time: waits, then writes", 1500, 20s, true},
                         Row{"held too long: gives up and reports busy", 2500, 500ms, false}}) {
        start("whole-file lock held by another process", r.name);
        const fs::path file = freshFolder() / "1.txt";
        const Child holder = spawnHolder(file, r.holdMs);
        const auto startedAt = Clock::now();
        while (!fs::exists(file.string() + ".held") && Clock::now() - startedAt < 60s)
            std::this_thread::sleep_for(10ms);
        check(fs::exists(file.string() + ".held"), "the helper holds the lock");
        const auto begin = Clock::now();
        const journalfile::Result result = journalfile::append(file.string(), "line\r\n", r.wait);
        const long long waited = millisecondsSince(begin);
        check(result.ok() == r.written, "written only once the lock is free");
        check(r.written || result.failure == Failure::Busy, "reported as busy");
        check(r.written ? waited >= 100 : (waited >= 450 && waited < 3000),
              "waited for the lock, and no longer than allowed");
        waitFor(holder);
        check(readFile(file) == (r.written ? "line\r\n" : ""), "the file holds the line only when written");
    }
}

void heldLock()
{
    // The lock that keeps two deliveries of one outbox apart, against another process.
    start("a lock held on a file of its own", "another process holds it, then lets go");
    const fs::path file = freshFolder() / "outbox.txt.lock";
    const Child holder = spawnHolder(file, 1500);
    const auto startedAt = Clock::now();
    while (!fs::exists(file.string() + ".held") && Clock::now() - startedAt < 60s)
        std::this_thread::sleep_for(10ms);
    journalfile::HeldLock lock;
    check(lock.take(file.string(), 200ms).failure == Failure::Busy, "busy while the other holds it");
    waitFor(holder);
    check(lock.take(file.string(), 0ms).ok(), "taken once the other has let go");
    journalfile::HeldLock second;
    check(journalfile::append(file.string() + ".probe", "x").ok(), "the folder is writable");
    lock.release();
    check(second.take(file.string(), 0ms).ok(), "taken again after release");
}

void reasons()
{
    struct Row {
        const char *name;
        // Sets up the cause under a folder, and gives the journal's path.
        std::function<fs::path(const fs::path &)> makeJournal;
        Failure expected;
    };
    std::vector<Row> rows = {
        {"a file where the outer folder should be",
         [](const fs::path &d) { return writeFile(d / "test", "x"), d / "test/Internet/1.txt"; },
         Failure::FileInPlaceOfFolder},
        {"a file where the inner folder should be",
         [](const fs::path &d) {
             return fs::create_directory(d / "test"), writeFile(d / "test/Internet", "x"), d / "test/Internet/1.txt";
         },
         Failure::FileInPlaceOfFolder},
        {"a folder where the file should be",
         [](const fs::path &d) { return fs::create_directories(d / "1.txt"), d / "1.txt"; },
         Failure::FolderInPlaceOfFile},
#ifdef _WIN32
        {"a drive that is not there",
         [](const fs::path &) {
             const DWORD used = GetLogicalDrives();
             char letter = 'Z';
             while (letter > 'D' && (used & (1u << (letter - 'A'))))
                 --letter;
             return fs::path(std::string(1, letter) + ":\\test\\Internet\\1.txt");
         },
         Failure::NoSuchFolder},
#else
        {"a link to a folder that is not there (an unmounted share)",
         [](const fs::path &d) {
             return fs::create_directory_symlink(d / "unmounted", d / "share"), d / "share/Internet/1.txt";
         },
         Failure::NoSuchFolder},
        {"a named pipe (FIFO)", [](const fs::path &d) { return ::mkfifo((d / "1.txt").c_str(), 0666), d / "1.txt"; },
         Failure::NotRegularFile},
#endif
    };
    for (const Row &r : rows) {
        start("reason for a failure", r.name);
        const fs::path journal = r.makeJournal(freshFolder());
        const auto begin = Clock::now();
        check(journalfile::append(journal.string(), "line\r\n").failure == r.expected, "the cause named");
        check(millisecondsSince(begin) < 1000, "reported within a second");
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && std::string_view(argv[1]) == "hold")
        return holdLock(argv[2], std::atoi(argv[3]));
    if (argc == 3 && std::string_view(argv[1]) == "size-limit") {
        shortWriteRolledBack(std::atol(argv[2])); // under a limit tests/wine_run.sh has set
    } else {
        foldersMade();
        lineEndBeforeRecord();
#ifndef _WIN32
        shortWriteRolledBack(64);
#endif
        lockHeldElsewhere();
        heldLock();
        reasons();
        readBack();
        emptied();
    }
    std::error_code ignored;
    fs::remove_all(freshFolder().parent_path(), ignored);
    std::printf("%s\n", failures ? "FAILED" : "all passed");
    return failures ? 1 : 0;
}
