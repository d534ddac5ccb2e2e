// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "json.h"

using namespace tarvel;

namespace {

TEST(Json, StringsDecodeEscapesToUtf8)
{
    struct Case { const char* in; std::string want; } cases[] = {
        {R"("abc")", "abc"},
        {R"("a\"b\\c\/d")", "a\"b\\c/d"},
        {R"("\b\f\n\r\t")", "\b\f\n\r\t"},
        {R"("\u0041\u00e9")", "A\xC3\xA9"},
        {R"("\u00AE")", "\xC2\xAE"},                       // ®
        {R"("\u20ac")", "\xE2\x82\xAC"},                   // €
        {R"("\ud83d\ude00")", "\xF0\x9F\x98\x80"},         // surrogate pair
        {R"("\u0000")", std::string(1, '\0')},
        {"\"Freq\xC3\xBC\xC3\xAAncia\"", "Freq\xC3\xBC\xC3\xAAncia"}, // raw UTF-8 kept
        {R"("")", ""},
    };
    for (const auto& c : cases) {
        const auto p = json::parse(c.in);
        ASSERT_TRUE(p.ok) << c.in << ": " << p.error;
        EXPECT_EQ(p.value.kind, json::Value::Kind::String) << c.in;
        EXPECT_EQ(p.value.text, c.want) << c.in;
    }
}

TEST(Json, MalformedTextsAreRefused)
{
    const char* cases[] = {
        "",
        "   ",
        "{",
        "{\"a\":1,}",
        "[1,]",
        "{\"a\" 1}",
        "{a:1}",
        "\"unterminated",
        "\"bad \\x escape\"",
        "\"\\u12\"",
        "\"\\u12G4\"",
        "\"\\ud83d\"",          // lone high surrogate
        "\"\\ude00\"",          // lone low surrogate
        "\"\\ud83d\\u0041\"",   // high surrogate with a non-low
        "\"tab\there\"",        // raw control character
        "\"\xC3\"",             // truncated UTF-8
        "\"\xC0\xAF\"",         // overlong
        "\"\xED\xA0\x80\"",     // encoded surrogate
        "\"\xFF\"",
        "01",
        "1.",
        ".5",
        "-",
        "1e",
        "+1",
        "tru",
        "nul",
        "{} {}",
        "[1] x",
    };
    for (const char* c : cases) {
        const auto p = json::parse(c);
        EXPECT_FALSE(p.ok) << '"' << c << '"';
        EXPECT_FALSE(p.error.empty()) << c;
    }
}

TEST(Json, ValuesAndStructure)
{
    const auto p = json::parse(
        " {\"window\" : \"TForm4\", \"inputs\": {\"a\": \"1\", \"b\": -2.5e+3}, \"x\": [true, false, null, []], "
        "\"o\": {}}\r\n");
    ASSERT_TRUE(p.ok) << p.error;
    const json::Value& v = p.value;
    ASSERT_EQ(v.kind, json::Value::Kind::Object);
    ASSERT_EQ(v.members.size(), 4u);
    EXPECT_EQ(v.find("window")->text, "TForm4");
    const json::Value* in = v.find("inputs");
    ASSERT_NE(in, nullptr);
    ASSERT_EQ(in->members.size(), 2u);
    EXPECT_EQ(in->members[1].first, "b");
    EXPECT_EQ(in->members[1].second.kind, json::Value::Kind::Number);
    EXPECT_EQ(in->members[1].second.text, "-2.5e+3"); // a number keeps its source text
    const json::Value* x = v.find("x");
    ASSERT_EQ(x->items.size(), 4u);
    EXPECT_TRUE(x->items[0].boolean);
    EXPECT_EQ(x->items[1].kind, json::Value::Kind::Bool);
    EXPECT_FALSE(x->items[1].boolean);
    EXPECT_EQ(x->items[2].kind, json::Value::Kind::Null);
    EXPECT_EQ(x->items[3].kind, json::Value::Kind::Array);
    EXPECT_EQ(v.find("missing"), nullptr);
}

TEST(Json, DeepNestingIsRefusedNotCrashed)
{
    const std::string deep(100000, '[');
    EXPECT_FALSE(json::parse(deep).ok);
    std::string ok(60, '[');
    ok += std::string(60, ']');
    EXPECT_TRUE(json::parse(ok).ok);
}

TEST(Json, QuoteWritesValidJsonThatReadsBack)
{
    struct Case { std::string in; const char* want; } cases[] = {
        {"plain", "\"plain\""},
        {"a\"b\\c", R"("a\"b\\c")"},
        {"\n\t\x01\x7F", R"("\n\t\u0001\u007f")"},
        {"2.20 - RT/duroid\xC2\xAE 5880", "\"2.20 - RT/duroid\xC2\xAE 5880\""}, // UTF-8 written as is
        {"bad\xFFtail", "\"bad\xEF\xBF\xBDtail\""},                              // invalid byte -> U+FFFD
        {"\xF0\x9F\x98\x80", "\"\xF0\x9F\x98\x80\""},
    };
    for (const auto& c : cases) {
        const std::string q = json::quote(c.in);
        EXPECT_EQ(q, c.want);
        const auto back = json::parse(q);
        ASSERT_TRUE(back.ok) << q << ": " << back.error;
        if (c.in.find('\xFF') == std::string::npos) {
            EXPECT_EQ(back.value.text, c.in);
        }
    }
    EXPECT_EQ(json::ObjectWriter().string("a", "1").raw("b", "[]").finish(), R"({"a":"1","b":[]})");
    EXPECT_EQ(json::ObjectWriter().finish(), "{}");
}

} // namespace

#include <random>

#include "tool.h"

namespace {

// Whatever a batch line holds, its answer is one line of valid JSON: an
// outcome object or {"error": ...}. Mutations of a good line reach the
// reader's error paths, the field lookup and the models' checks.
TEST(BatchLine, AnyInputGivesOneValidJsonLine)
{
    const std::string good = "{\"window\": \"TForm2\", \"inputs\": {\"Frequencia\": \"1\", \"ComboBox2\": "
                             "\"2.10 - PTFE: Polytetrafluoretileno\", \"ComboBox1\": \"57600000\", "
                             "\"Espacamento\": \"10\", \"diametro\": \"1\"}}";
    std::mt19937 rng(12345);
    const std::string alphabet = "{}[]\":,\\u0123456789eE.-+ abcTForm\xC3\xA9\xFF\x01\n";
    for (int i = 0; i < 3000; ++i) {
        std::string line = good;
        const int edits = 1 + int(rng() % 4);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = rng() % (line.size() + 1);
            switch (rng() % 3) {
            case 0: line.insert(at, 1, alphabet[rng() % alphabet.size()]); break;
            case 1: if (at < line.size()) line.erase(at, 1); break;
            default: if (at < line.size()) line[at] = alphabet[rng() % alphabet.size()]; break;
            }
        }
        const std::string out = cli::batchLine(line);
        ASSERT_EQ(out.find('\n'), std::string::npos) << line;
        const auto p = json::parse(out);
        ASSERT_TRUE(p.ok) << line << "\n" << out;
        ASSERT_EQ(p.value.kind, json::Value::Kind::Object);
        const bool isError = p.value.find("error") != nullptr;
        const bool isOutcome = p.value.find("window") && (p.value.find("results") || p.value.find("message")
                                                          || p.value.find("fault"));
        ASSERT_TRUE(isError != isOutcome) << out;
    }
}

} // namespace
