// Reading project files from disk: only regular files, only the bytes a
// project can hold, and never a wait on something that is not a file.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

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

} // namespace
