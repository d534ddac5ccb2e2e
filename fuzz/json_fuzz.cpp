// The JSON reader of tarvel-calc's batch on arbitrary bytes. A text is
// refused with a reason or read into a tree; a tree written back compactly
// reads as the same tree, and that writing is a fixed point; every string
// read is valid UTF-8 that quoting carries over unchanged.
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/core/json.h"
#include "fuzz_check.h"

using tarvel::json::Value;

namespace {

void write(const Value& v, std::string& out)
{
    switch (v.kind) {
    case Value::Kind::Null: out += "null"; return;
    case Value::Kind::Bool: out += v.boolean ? "true" : "false"; return;
    case Value::Kind::Number: out += v.text; return;
    case Value::Kind::String: tarvel::json::appendQuoted(out, v.text); return;
    case Value::Kind::Array:
        out += '[';
        for (std::size_t i = 0; i < v.items.size(); ++i) {
            if (i)
                out += ',';
            write(v.items[i], out);
        }
        out += ']';
        return;
    case Value::Kind::Object:
        out += '{';
        for (std::size_t i = 0; i < v.members.size(); ++i) {
            if (i)
                out += ',';
            tarvel::json::appendQuoted(out, v.members[i].first);
            out += ':';
            write(v.members[i].second, out);
        }
        out += '}';
        return;
    }
}

// Strings carried over by quoting unchanged, keys too.
void checkStrings(const Value& v)
{
    auto same = [](const std::string& s) {
        const auto back = tarvel::json::parse(tarvel::json::quote(s));
        FUZZ_CHECK(back.ok && back.value.kind == Value::Kind::String && back.value.text == s,
                   "a string read quotes back to itself");
    };
    if (v.kind == Value::Kind::String)
        same(v.text);
    for (const auto& item : v.items)
        checkStrings(item);
    for (const auto& [key, member] : v.members) {
        same(key);
        checkStrings(member);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto parsed = tarvel::json::parse(text);
    if (!parsed.ok) {
        FUZZ_CHECK(!parsed.error.empty() && parsed.error.find("(byte ") != std::string::npos,
                   "a refusal says why and where: \"%s\"", parsed.error.c_str());
        return 0;
    }
    std::string once;
    write(parsed.value, once);
    const auto again = tarvel::json::parse(once);
    FUZZ_CHECK(again.ok, "the tree written back reads: %s", again.error.c_str());
    std::string twice;
    write(again.value, twice);
    FUZZ_CHECK(once == twice, "writing the tree is a fixed point");
    checkStrings(parsed.value);
    return 0;
}
