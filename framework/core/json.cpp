#include "json.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace tarvel::json {
namespace {

constexpr int maxDepth = 64;

void appendUtf8(std::string& out, std::uint32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// Length of the valid UTF-8 sequence at s[i] (overlong forms, surrogates and
// code points past U+10FFFF are invalid), or 0.
std::size_t utf8Length(std::string_view s, std::size_t i)
{
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    if (c < 0x80)
        return 1;
    std::size_t n;
    std::uint32_t cp;
    if (c >= 0xC2 && c <= 0xDF) { n = 2; cp = c & 0x1F; }
    else if (c >= 0xE0 && c <= 0xEF) { n = 3; cp = c & 0x0F; }
    else if (c >= 0xF0 && c <= 0xF4) { n = 4; cp = c & 0x07; }
    else return 0;
    if (i + n > s.size())
        return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    if ((n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000) || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

class Parser {
public:
    explicit Parser(std::string_view s) : s_(s), left_(memoryBound(s.size())) {}

    Parsed run()
    {
        Parsed p;
        skipSpace();
        if (!value(p.value, 0)) {
            Parsed failed = fail();
            failed.tooLarge = tooLarge_;
            return failed;
        }
        skipSpace();
        if (i_ != s_.size()) {
            error_ = "texto depois do valor";
            return fail();
        }
        p.ok = true;
        return p;
    }

private:
    Parsed fail()
    {
        Parsed p;
        p.error = error_ + " (byte " + std::to_string(i_ + 1) + ")";
        return p;
    }
    bool failWith(const char* what)
    {
        error_ = what;
        return false;
    }
    // Counts `bytes` more of the tree against the bound. A value held in a
    // vector is counted twice: the vector's capacity may be double its size.
    bool take(std::size_t bytes)
    {
        if (bytes > left_) {
            tooLarge_ = true;
            error_ = "a leitura ocuparia mais de " + std::to_string(memoryBound(s_.size()))
                     + " bytes de memória (" + std::to_string(memoryPerByte) + " vezes o tamanho do texto)";
            return false;
        }
        left_ -= bytes;
        return true;
    }
    // A string's heap buffer, when it outgrows the one inside the string.
    static std::size_t heapOf(const std::string& s) { return s.size() < sizeof(std::string) / 2 ? 0 : s.size() + 1; }
    void skipSpace()
    {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\n' || s_[i_] == '\r'))
            ++i_;
    }
    bool literal(std::string_view word)
    {
        if (s_.substr(i_, word.size()) != word)
            return failWith("valor inválido");
        i_ += word.size();
        return true;
    }

    bool value(Value& v, int depth)
    {
        if (depth > maxDepth)
            return failWith("aninhamento profundo demais");
        if (i_ >= s_.size())
            return failWith("fim inesperado do texto");
        switch (s_[i_]) {
        case '{': return object(v, depth);
        case '[': return array(v, depth);
        case '"': v.kind = Value::Kind::String; return string(v.text) && take(heapOf(v.text));
        case 't': v.kind = Value::Kind::Bool; v.boolean = true; return literal("true");
        case 'f': v.kind = Value::Kind::Bool; v.boolean = false; return literal("false");
        case 'n': v.kind = Value::Kind::Null; return literal("null");
        default: v.kind = Value::Kind::Number; return number(v.text) && take(heapOf(v.text));
        }
    }

    // The members of an object or the items of an array, after its opening
    // bracket: each read by `item`, with commas between, up to `close`.
    template <typename Item>
    bool sequence(char close, const char* expected, Item item)
    {
        ++i_;
        skipSpace();
        if (i_ < s_.size() && s_[i_] == close) {
            ++i_;
            return true;
        }
        for (;;) {
            skipSpace();
            if (!item())
                return false;
            skipSpace();
            if (i_ < s_.size() && s_[i_] == ',') { ++i_; continue; }
            if (i_ < s_.size() && s_[i_] == close) { ++i_; return true; }
            return failWith(expected);
        }
    }

    bool object(Value& v, int depth)
    {
        v.kind = Value::Kind::Object;
        return sequence('}', "esperava ',' ou '}'", [&] {
            if (i_ >= s_.size() || s_[i_] != '"')
                return failWith("esperava o nome de um membro entre aspas");
            std::string key;
            if (!string(key))
                return false;
            skipSpace();
            if (i_ >= s_.size() || s_[i_] != ':')
                return failWith("esperava ':'");
            ++i_;
            skipSpace();
            Value member;
            if (!take(2 * sizeof(std::pair<std::string, Value>) + heapOf(key)) || !value(member, depth + 1))
                return false;
            v.members.emplace_back(std::move(key), std::move(member));
            return true;
        });
    }

    bool array(Value& v, int depth)
    {
        v.kind = Value::Kind::Array;
        return sequence(']', "esperava ',' ou ']'", [&] {
            Value item;
            if (!take(2 * sizeof(Value)) || !value(item, depth + 1))
                return false;
            v.items.push_back(std::move(item));
            return true;
        });
    }

    bool hex4(std::uint32_t& cp)
    {
        if (i_ + 4 > s_.size())
            return failWith("escape \\u incompleto");
        cp = 0;
        for (int k = 0; k < 4; ++k) {
            const char c = s_[i_++];
            cp <<= 4;
            if (c >= '0' && c <= '9') cp |= std::uint32_t(c - '0');
            else if (c >= 'a' && c <= 'f') cp |= std::uint32_t(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F') cp |= std::uint32_t(c - 'A' + 10);
            else return failWith("escape \\u com dígito hexadecimal inválido");
        }
        return true;
    }

    bool string(std::string& out)
    {
        ++i_; // opening quote
        for (;;) {
            if (i_ >= s_.size())
                return failWith("texto sem aspas de fechamento");
            const unsigned char c = static_cast<unsigned char>(s_[i_]);
            if (c == '"') {
                ++i_;
                return true;
            }
            if (c < 0x20)
                return failWith("caractere de controle dentro de um texto");
            if (c >= 0x20 && c < 0x80 && c != '\\') {
                // A run of plain ASCII goes over in one piece.
                std::size_t end = i_ + 1;
                while (end < s_.size() && s_[end] >= 0x20 && s_[end] < 0x7F && s_[end] != '"' && s_[end] != '\\')
                    ++end;
                out.append(s_.data() + i_, end - i_);
                i_ = end;
                continue;
            }
            if (c != '\\') {
                const std::size_t n = utf8Length(s_, i_);
                if (n == 0)
                    return failWith("texto que não é UTF-8 válido");
                out.append(s_.substr(i_, n));
                i_ += n;
                continue;
            }
            ++i_;
            if (i_ >= s_.size())
                return failWith("escape incompleto");
            const char e = s_[i_++];
            switch (e) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                std::uint32_t cp;
                if (!hex4(cp))
                    return false;
                if (cp >= 0xDC00 && cp <= 0xDFFF)
                    return failWith("surrogate baixo sem o alto");
                if (cp >= 0xD800 && cp <= 0xDBFF) {
                    std::uint32_t low;
                    if (s_.substr(i_, 2) != "\\u")
                        return failWith("surrogate alto sem o baixo");
                    i_ += 2;
                    if (!hex4(low))
                        return false;
                    if (low < 0xDC00 || low > 0xDFFF)
                        return failWith("surrogate alto sem o baixo");
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                }
                appendUtf8(out, cp);
                break;
            }
            default:
                --i_;
                return failWith("escape inválido");
            }
        }
    }

    bool number(std::string& out)
    {
        const std::size_t start = i_;
        auto digits = [this] {
            const std::size_t from = i_;
            while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9')
                ++i_;
            return i_ - from;
        };
        if (i_ < s_.size() && s_[i_] == '-')
            ++i_;
        if (i_ < s_.size() && s_[i_] == '0')
            ++i_;
        else if (digits() == 0)
            return failWith("valor inválido");
        if (i_ < s_.size() && s_[i_] == '.') {
            ++i_;
            if (digits() == 0)
                return failWith("número sem dígitos depois do ponto");
        }
        if (i_ < s_.size() && (s_[i_] == 'e' || s_[i_] == 'E')) {
            ++i_;
            if (i_ < s_.size() && (s_[i_] == '+' || s_[i_] == '-'))
                ++i_;
            if (digits() == 0)
                return failWith("número sem dígitos no expoente");
        }
        out.assign(s_.substr(start, i_ - start));
        return true;
    }

    std::string_view s_;
    std::size_t i_ = 0;
    std::string error_;
    std::size_t left_; // bytes the tree may still take
    bool tooLarge_ = false;
};

} // namespace

const Value* Value::find(std::string_view key) const
{
    for (const auto& m : members)
        if (m.first == key)
            return &m.second;
    return nullptr;
}

std::size_t memoryBound(std::size_t textLength)
{
    return std::max(memoryFloor, memoryPerByte * textLength);
}

Parsed parse(std::string_view text) { return Parser(text).run(); }

void appendQuoted(std::string& out, std::string_view text)
{
    static const char* hex = "0123456789abcdef";
    // Bytes that stand for themselves in a literal: printable ASCII but the
    // quote and the backslash.
    static const auto plain = [] {
        std::array<bool, 256> t{};
        for (int c = 0x20; c < 0x7F; ++c)
            t[std::size_t(c)] = c != '"' && c != '\\';
        return t;
    }();
    out += '"';
    for (std::size_t i = 0; i < text.size();) {
        // Plain printable ASCII goes through in one piece.
        std::size_t run = i;
        while (run < text.size() && plain[static_cast<unsigned char>(text[run])])
            ++run;
        if (run > i) {
            out.append(text.substr(i, run - i));
            i = run;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(text[i]);
        switch (c) {
        case '"': out += "\\\""; ++i; continue;
        case '\\': out += "\\\\"; ++i; continue;
        case '\n': out += "\\n"; ++i; continue;
        case '\r': out += "\\r"; ++i; continue;
        case '\t': out += "\\t"; ++i; continue;
        case '\b': out += "\\b"; ++i; continue;
        case '\f': out += "\\f"; ++i; continue;
        default: break;
        }
        if (c < 0x20 || c == 0x7F) {
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 15];
            ++i;
            continue;
        }
        const std::size_t n = utf8Length(text, i);
        if (n == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(text.substr(i, n));
            i += n;
        }
    }
    out += '"';
}

std::string quote(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 2);
    appendQuoted(out, text);
    return out;
}

ObjectWriter& ObjectWriter::key(std::string_view key)
{
    if (!first_)
        out_ += ',';
    first_ = false;
    appendQuoted(out_, key);
    out_ += ':';
    return *this;
}

ObjectWriter& ObjectWriter::raw(std::string_view key, std::string_view json)
{
    this->key(key);
    out_.append(json);
    return *this;
}

ObjectWriter& ObjectWriter::string(std::string_view key, std::string_view text)
{
    this->key(key);
    appendQuoted(out_, text);
    return *this;
}

std::string ObjectWriter::finish()
{
    out_ += '}';
    return std::move(out_);
}

} // namespace tarvel::json
