// SPDX-License-Identifier: GPL-3.0-or-later
// The memory one batch line may take: a line of tiny values is refused at a
// few times its length instead of taking tens of times it, and a line whose
// memory cannot be had is answered with an error while the lines after it
// are still answered.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "json.h"
#include "run_calc.h"

using namespace tarvel;
using namespace tarvel::testing;

namespace {

std::string emptyObjects(std::size_t bytes)
{
    std::string s = "[";
    while (s.size() + 3 < bytes)
        s += "{},";
    s += "{}]";
    return s;
}

TEST(Json, TinyValuesAreRefusedAtTheMemoryBoundNotLongText)
{
    const std::size_t size = 4 << 20;
    const json::Parsed tiny = json::parse(emptyObjects(size));
    EXPECT_FALSE(tiny.ok);
    EXPECT_TRUE(tiny.tooLarge);
    EXPECT_NE(tiny.error.find("vezes o tamanho do texto"), std::string::npos) << tiny.error;

    // The same length in one long string is no trouble, nor is a short
    // line of many small members (below the floor).
    const json::Parsed text = json::parse("{\"a\":\"" + std::string(size, 'x') + "\"}");
    EXPECT_TRUE(text.ok) << text.error;
    std::string members = "{";
    for (int i = 0; i < 200; ++i)
        members += (i ? ",\"k" : "\"k") + std::to_string(i) + "\":[1,2,{\"x\":null}]";
    const json::Parsed many = json::parse(members + "}");
    EXPECT_TRUE(many.ok) << many.error;
    EXPECT_FALSE(json::parse("[1,2").tooLarge);
}

// Runs tarvel-calc --batch over `input` with its address space limited to
// `limitMiB`; the output's lines.
std::vector<std::string> batchUnderLimit(const std::string& input, rlim_t limitMiB, int& exit)
{
    const std::string in = tempPath("memory_in"), out = tempPath("memory_out");
    std::ofstream(in, std::ios::binary) << input;
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit limit{limitMiB << 20, limitMiB << 20};
        ::setrlimit(RLIMIT_AS, &limit);
        // OpenBLAS's idle worker threads hang the exit of a process whose
        // address space ran out (in the library's shutdown); the batch does
        // no linear algebra, so one thread of it is all this needs.
        ::setenv("OPENBLAS_NUM_THREADS", "1", 1);
        if (!std::freopen(in.c_str(), "rb", stdin) || !std::freopen(out.c_str(), "wb", stdout))
            ::_exit(120);
        ::execl(TARVEL_CALC, TARVEL_CALC, "--batch", static_cast<char*>(nullptr));
        ::_exit(121);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    exit = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::vector<std::string> lines;
    std::istringstream s(slurp(out));
    for (std::string line; std::getline(s, line);)
        lines.push_back(line);
    return lines;
}

TEST(Calc, AHugeLineOfEmptyObjectsIsAnsweredWithinMemoryAndTheBatchGoesOn)
{
#if defined(__SANITIZE_ADDRESS__)
    // The address sanitizer reserves terabytes of shadow memory at start,
    // which no limit of the address space that this test sets leaves room for.
    GTEST_SKIP() << "sob o AddressSanitizer o limite de memória do processo filho não se aplica";
#endif
    const std::string good = R"({"window":"TForm2","inputs":{"Frequencia":"1","diametro":"1","Espacamento":"10"}})";
    const std::string huge = emptyObjects(std::size_t(16) << 20);
    struct Case {
        rlim_t limitMiB;
        const char* why; // what the huge line's error says
    };
    // 2 GiB: the bound refuses the line; 100 MiB: even the line itself
    // cannot be held with its tree, and the allocation failure is answered.
    for (const Case c : {Case{2048, "vezes o tamanho do texto"}, Case{100, "memória insuficiente"}}) {
        int exit = -1;
        const auto lines = batchUnderLimit(good + "\n" + huge + "\n" + good + "\n", c.limitMiB, exit);
        EXPECT_EQ(exit, 0) << c.limitMiB;
        ASSERT_EQ(lines.size(), 3u) << c.limitMiB;
        EXPECT_EQ(lines[0].rfind("{\"window\":\"TForm2\",\"inputs\":", 0), 0u) << lines[0];
        EXPECT_EQ(lines[1].rfind("{\"error\":", 0), 0u) << lines[1];
        EXPECT_NE(lines[1].find(c.why), std::string::npos) << c.limitMiB << ": " << lines[1];
        EXPECT_EQ(lines[2], lines[0]);
    }
}

} // namespace
