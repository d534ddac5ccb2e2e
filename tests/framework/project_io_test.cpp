// SPDX-License-Identifier: GPL-3.0-or-later
// Reading project files from disk: only regular files, only the bytes a
// project can hold, and never a wait on something that is not a file.
// Writing them: the whole file or nothing, through links to what they name,
// never over a read-only file, and no temporary file left behind.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>

#include <csignal>
#include <set>

#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "framework/core/project_file.h"
#include "models/all_windows.h"

using namespace tarvel;

namespace {

struct TempDir {
    std::string path;
    TempDir()
    {
        char name[] = "/tmp/tarvel-io-XXXXXX";
        path = ::mkdtemp(name);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    std::string file(const std::string& name) const { return path + "/" + name; }
};

TEST(ProjectIo, ReadsOnlyTheStartOfARegularFile)
{
    TempDir dir;
    const WindowDescription& d = *findWindow("TForm2");
    ASSERT_EQ(projectSize(d), 36u);

    // A file much longer than a project: only the first 36 bytes are taken.
    const std::string big = dir.file("grande.bfl");
    {
        std::ofstream f(big, std::ios::binary);
        for (int i = 0; i < 1 << 20; ++i) f.put(char(i & 0x7f));
    }
    struct Case {
        std::string path;
        bool ok;
        std::size_t bytes;
    } cases[] = {
        {big, true, 36},
        {dir.file("falta.bfl"), false, 0}, // missing
        {dir.path, false, 0},              // a folder
    };
    for (const auto& c : cases) {
        Bytes bytes;
        std::string error;
        EXPECT_EQ(readFileStart(c.path, projectSize(d), bytes, error), c.ok) << c.path;
        EXPECT_EQ(bytes.size(), c.bytes) << c.path;
        EXPECT_EQ(error.empty(), c.ok) << error;
        if (!c.ok) {
            EXPECT_NE(error.find(c.path), std::string::npos) << error;
        }
    }
    Bytes bytes;
    std::string error;
    ASSERT_TRUE(readFileStart(big, projectSize(d), bytes, error));
    for (std::size_t i = 0; i < bytes.size(); ++i) EXPECT_EQ(bytes[i], i & 0x7f);
    // A short file gives what it has; the decoder then refuses it.
    {
        std::ofstream f(dir.file("curto.bfl"), std::ios::binary);
        f << "abc";
    }
    ASSERT_TRUE(readFileStart(dir.file("curto.bfl"), projectSize(d), bytes, error));
    EXPECT_EQ(bytes.size(), 3u);
    EXPECT_FALSE(decodeProject(d, bytes, dir.file("curto.bfl")).ok);
}

// A named pipe with no writer would block an open for reading for ever.
TEST(ProjectIo, APipeIsRefusedAtOnce)
{
    TempDir dir;
    const std::string fifo = dir.file("fila.bfl");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto start = std::chrono::steady_clock::now();
    Bytes bytes;
    std::string error;
    EXPECT_FALSE(readFileStart(fifo, 36, bytes, error));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_NE(error.find("fila.bfl"), std::string::npos);
}

std::string contents(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void put(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// Every name in the folder, hidden ones included.
std::set<std::string> names(const std::string& folder)
{
    std::set<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        out.insert(e.path().filename().string());
    return out;
}

bool isLink(const std::string& path)
{
    struct stat st{};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// eloN.bfl -> eloN-1.bfl -> ... -> elo1.bfl -> real.bfl: n links.
void chain(const TempDir& d, int n)
{
    for (int i = 1; i <= n; ++i)
        ::symlink(i == 1 ? "real.bfl" : ("elo" + std::to_string(i - 1) + ".bfl").c_str(),
                  d.file("elo" + std::to_string(i) + ".bfl").c_str());
}

TEST(ProjectIo, SavesThroughLinksAndLongNamesAndNeverOverAReadOnlyFile)
{
    const Bytes project(36, 0x81);
    const std::string fresh(project.begin(), project.end());
    const std::string old = "projeto anterior";
    const std::string longName = std::string(251, 'a') + ".bfl"; // 255 bytes, the longest legal name
    struct Case {
        const char* what;
        std::string save;                              // the name saved to
        std::function<void(const TempDir&)> prepare;
        bool ok;
        std::string written;                           // the file that must hold the project
    } cases[] = {
        {"a link to an existing file", "elo.bfl",
         [&](const TempDir& d) { put(d.file("real.bfl"), old); ::symlink("real.bfl", d.file("elo.bfl").c_str()); },
         true, "real.bfl"},
        {"a dangling link", "solto.bfl",
         [&](const TempDir& d) { ::symlink("novo.bfl", d.file("solto.bfl").c_str()); }, true, "novo.bfl"},
        {"a link to a link, by absolute path", "elo2.bfl",
         [&](const TempDir& d) {
             put(d.file("real.bfl"), old);
             ::symlink(d.file("real.bfl").c_str(), d.file("elo1.bfl").c_str());
             ::symlink("elo1.bfl", d.file("elo2.bfl").c_str());
         },
         true, "real.bfl"},
        {"a 255-byte name, new", longName, [](const TempDir&) {}, true, longName},
        {"a 255-byte name, replaced", longName, [&](const TempDir& d) { put(d.file(longName), old); }, true, longName},
        {"a read-only file", "fixo.bfl",
         [&](const TempDir& d) { put(d.file("fixo.bfl"), old); ::chmod(d.file("fixo.bfl").c_str(), 0444); }, false,
         ""},
        {"a link to a read-only file", "elo.bfl",
         [&](const TempDir& d) {
             put(d.file("fixo.bfl"), old);
             ::chmod(d.file("fixo.bfl").c_str(), 0444);
             ::symlink("fixo.bfl", d.file("elo.bfl").c_str());
         },
         false, ""},
        // The kernel follows 40 links in one path, and so does a save.
        {"a chain of 40 links", "elo40.bfl", [&](const TempDir& d) { put(d.file("real.bfl"), old); chain(d, 40); },
         true, "real.bfl"},
        {"a chain of 41 links", "elo41.bfl", [&](const TempDir& d) { put(d.file("real.bfl"), old); chain(d, 41); },
         false, ""},
        {"a loop of links", "laco.bfl", [](const TempDir& d) { ::symlink("laco.bfl", d.file("laco.bfl").c_str()); },
         false, ""},
    };
    for (const auto& c : cases) {
        TempDir dir;
        c.prepare(dir);
        const std::set<std::string> before = names(dir.path);
        std::map<std::string, std::string> bytesBefore;
        for (const auto& n : before)
            if (!isLink(dir.file(n)))
                bytesBefore[n] = contents(dir.file(n));
        std::string error;
        EXPECT_EQ(writeFileAtomically(dir.file(c.save), project, error), c.ok) << c.what << ": " << error;
        std::set<std::string> expected = before;
        if (c.ok) {
            EXPECT_EQ(error, "") << c.what;
            expected.insert(c.written);
            EXPECT_EQ(contents(dir.file(c.written)), fresh) << c.what;
            EXPECT_FALSE(isLink(dir.file(c.written))) << c.what;
        } else {
            EXPECT_NE(error.find(c.save), std::string::npos) << c.what << ": " << error;
        }
        // Links stay links, no temporary file is left, and every other file
        // keeps its bytes.
        EXPECT_EQ(names(dir.path), expected) << c.what;
        for (const auto& n : before) {
            EXPECT_EQ(isLink(dir.file(n)), bytesBefore.count(n) == 0) << c.what << ": " << n;
            if (bytesBefore.count(n) && n != c.written) {
                EXPECT_EQ(contents(dir.file(n)), bytesBefore[n]) << c.what << ": " << n;
            }
        }
    }
}

// A read-only file is refused with its own message; a writable one is
// replaced. Either way the file keeps its permissions.
TEST(ProjectIo, AFileKeepsItsPermissionsAndAReadOnlyOneItsBytes)
{
    struct Case { mode_t mode; bool ok; } cases[] = {{0444, false}, {0400, false}, {0640, true}, {0600, true}};
    for (const auto& c : cases) {
        TempDir dir;
        const std::string path = dir.file("p.bfl");
        put(path, "antes");
        ::chmod(path.c_str(), c.mode);
        std::string error;
        EXPECT_EQ(writeFileAtomically(path, Bytes(36, 1), error), c.ok) << c.mode << ": " << error;
        EXPECT_EQ(error.find("somente para leitura") != std::string::npos, !c.ok) << error;
        EXPECT_EQ(contents(path), c.ok ? std::string(36, '\1') : "antes") << c.mode;
        struct stat st{};
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.mode);
    }
}

// A write that fails half way (here the file size limit, as a full disk
// would) leaves the old bytes and no temporary file.
TEST(ProjectIo, AFailedWriteLeavesTheOldFileAndNoTemporary)
{
    TempDir dir;
    const std::string path = dir.file("p.bfl");
    put(path, "antes");
    const auto before = names(dir.path);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 10;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool ok = writeFileAtomically(path, Bytes(36, 1), error);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(ok);
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_EQ(contents(path), "antes");
    EXPECT_EQ(names(dir.path), before);
}

// Saves killed with SIGKILL at any moment leave no temporaries that pile
// up: whatever one of them left is gone after the next save into the folder
// once it is a minute old, while a fresh one (a save under way) is kept.
TEST(ProjectIo, KilledSavesLeaveNoTemporariesBehind)
{
    TempDir dir;
    const std::string path = dir.file("p.bfl");
    const Bytes project(36, 0x81);
    for (int round = 0; round < 40; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::string error;
            for (;;)
                (void)writeFileAtomically(path, project, error);
        }
        ::usleep(useconds_t(500 + 250 * (round % 8)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
    }
    // What a killed save left (here also one left on purpose, as one
    // killed between naming its temporary and the rename would), aged by
    // two minutes.
    put(dir.file(".tarvel-Abc123"), "resto");
    const timeval old[2] = {{::time(nullptr) - 120, 0}, {::time(nullptr) - 120, 0}};
    for (const auto& n : names(dir.path)) {
        if (n != "p.bfl") {
            ASSERT_EQ(::utimes(dir.file(n).c_str(), old), 0) << n;
        }
    }
    // A save under way in another window right now.
    put(dir.file(".tarvel-Novo12"), "em curso");
    // Not a temporary of this program, however old.
    put(dir.file(".tarvel-notas.txt"), "meu");
    ASSERT_EQ(::utimes(dir.file(".tarvel-notas.txt").c_str(), old), 0);

    std::string error;
    ASSERT_TRUE(writeFileAtomically(path, project, error)) << error;
    EXPECT_EQ(names(dir.path), (std::set<std::string>{"p.bfl", ".tarvel-Novo12", ".tarvel-notas.txt"}));
    EXPECT_EQ(contents(path), std::string(project.begin(), project.end()));
}

} // namespace
