// A small JSON reader and writer: enough for the command line's batch (one
// object per line in and out) and the designer's project files. Numbers keep
// their source text, because the calculator reads every input from text.
#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvel::json {

struct Value {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    std::string text; // a string's UTF-8 content, or a number's source text
    std::vector<Value> items;
    std::vector<std::pair<std::string, Value>> members; // in source order, duplicates kept

    // The first member named `key`, or nullptr.
    const Value* find(std::string_view key) const;
};

struct Parsed {
    bool ok = false;
    Value value;
    std::string error;     // what is wrong and at which byte
    bool tooLarge = false; // the tree would outgrow the memory bound
};

// The memory the tree of a text may take: a few times the text's length
// (a tree holds some 90 bytes per value however short its text, so a text
// of tiny values, "[{},{},...]", is refused when it reaches the bound
// rather than taking tens of times its length), never less than a floor
// that every ordinary line stays far below.
constexpr std::size_t memoryPerByte = 5;
constexpr std::size_t memoryFloor = std::size_t(1) << 20;
std::size_t memoryBound(std::size_t textLength);

// One JSON text (any value), with optional white space around it. Strings
// must be valid UTF-8; \u escapes, surrogate pairs included, become UTF-8.
// A text whose tree would take more than memoryBound(text.size()) bytes is
// refused with `tooLarge`.
Parsed parse(std::string_view text);

// A JSON string literal for UTF-8 text. Bytes that are not valid UTF-8 are
// written as U+FFFD, so the output is always valid JSON.
std::string quote(std::string_view text);
// The same literal, appended to `out`.
void appendQuoted(std::string& out, std::string_view text);

// Incremental writer of one object: {"a":..., "b":...}.
class ObjectWriter {
public:
    ObjectWriter() { out_.reserve(512); }
    ObjectWriter& raw(std::string_view key, std::string_view json);
    ObjectWriter& string(std::string_view key, std::string_view text);
    // The object's text; the writer is used up.
    std::string finish();

private:
    ObjectWriter& key(std::string_view key);
    std::string out_ = "{";
    bool first_ = true;
};

} // namespace tarvel::json
