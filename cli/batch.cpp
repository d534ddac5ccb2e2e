// SPDX-License-Identifier: GPL-3.0-or-later
// tarvel-calc --batch: JSON Lines in, one answer per line out.
#include "shared.h"

#include <cerrno>
#include <cstring>
#include <new>

#include <unistd.h>

#include "json.h"
#include "models/all_windows.h"

namespace tarvel::cli {
namespace {

const std::string overlongLine = "linha longa demais: o limite é de " + std::to_string(batchLineBound) + " bytes ("
                                 + std::to_string(batchLineBound >> 20) + " MiB); a linha foi ignorada";
const char* const noMemory = "memória insuficiente para esta linha; a linha foi ignorada";

} // namespace

std::string batchLine(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    const json::Parsed parsed = json::parse(line);
    if (!parsed.ok)
        return errorJson((parsed.tooLarge ? "linha recusada: " : "JSON inválido: ") + parsed.error);
    const json::Value& v = parsed.value;
    if (v.kind != json::Value::Kind::Object)
        return errorJson("a linha não é um objeto JSON");
    const json::Value* window = nullptr;
    const json::Value* inputs = nullptr;
    const json::Value* file = nullptr;
    for (const auto& [key, member] : v.members) {
        const json::Value** slot = key == "window" ? &window : key == "inputs" ? &inputs : key == "file" ? &file
                                                                                                         : nullptr;
        if (!slot)
            return errorJson("membro desconhecido: \"" + key + "\" (use window, inputs ou file)");
        if (*slot)
            return errorJson("membro repetido: \"" + key + "\"");
        *slot = &member;
    }
    if (window && window->kind != json::Value::Kind::String)
        return errorJson("\"window\" tem de ser um texto");
    if (file) {
        if (file->kind != json::Value::Kind::String)
            return errorJson("\"file\" tem de ser um texto");
        if (inputs)
            return errorJson("\"file\" e \"inputs\" não vão juntos");
        Opened opened;
        if (auto p = openFile(file->text, window ? window->text : std::string(), opened))
            return errorJson(p->text);
        return outcomeJson(*opened.d, opened.fields, compute(*opened.d, opened.fields));
    }
    if (!window)
        return errorJson("falta \"window\"");
    const WindowDescription* d = findWindow(window->text);
    if (!d)
        return errorJson(unknownWindow(window->text).text);
    Texts given, canonical;
    if (inputs) {
        if (inputs->kind != json::Value::Kind::Object)
            return errorJson("\"inputs\" tem de ser um objeto");
        given.reserve(inputs->members.size());
        for (const auto& [name, value] : inputs->members) {
            // Texts as typed; a JSON number stands for the text it is written as.
            if (value.kind != json::Value::Kind::String && value.kind != json::Value::Kind::Number)
                return errorJson("o valor de \"" + name + "\" tem de ser um texto");
            given.emplace_back(name, value.text);
        }
    }
    if (auto p = canonicalTexts(*d, given, canonical))
        return errorJson(p->text);
    const FieldTexts fields = typedFields(*d, canonical);
    return outcomeJson(*d, fields, compute(*d, fields));
}

int runBatch(int inputFd, std::FILE* out) { return runLines(inputFd, out, batchLine); }

int runLines(int inputFd, std::FILE* out, const std::function<std::string(std::string_view line)>& lineAnswer)
{
    // Each byte is looked at once: a newline is searched for only in what
    // has just been read, and a line that outgrows the bound is dropped as
    // it comes (its error line goes out when its end is reached), so no
    // line costs more than the bound in memory and time stays linear. A line
    // whose memory cannot be had is dropped the same way: that line gets an
    // error and the lines after it are answered.
    std::string line, output;
    enum class Dropped { No, Overlong, NoMemory } dropped = Dropped::No;
    auto drop = [&](Dropped why) {
        dropped = why;
        std::string().swap(line);
    };
    auto answer = [&](std::string_view text) {
        std::string reply;
        if (dropped == Dropped::Overlong) {
            reply = errorJson(overlongLine);
        } else if (dropped == Dropped::NoMemory) {
            reply = errorJson(noMemory);
        } else {
            try {
                reply = lineAnswer(text);
            } catch (const std::bad_alloc&) {
                std::string().swap(line);
                reply = errorJson(noMemory);
            }
        }
        output += reply;
        output += '\n';
        dropped = Dropped::No;
    };
    auto keep = [&](const char* from, const char* to) {
        try {
            line.append(from, to);
        } catch (const std::bad_alloc&) {
            drop(Dropped::NoMemory);
        }
    };
    std::vector<char> buf(1 << 16);
    for (;;) {
        const ssize_t n = ::read(inputFd, buf.data(), buf.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            std::fprintf(stderr, "tarvel-calc: erro de leitura da entrada padrão\n");
            return FileError;
        }
        if (n == 0)
            break;
        const char* p = buf.data();
        const char* const end = p + n;
        while (p < end) {
            const char* nl = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
            const char* stop = nl ? nl : end;
            if (dropped == Dropped::No && line.size() + std::size_t(stop - p) > batchLineBound)
                drop(Dropped::Overlong);
            if (!nl) {
                if (dropped == Dropped::No)
                    keep(p, end);
                break;
            }
            if (dropped != Dropped::No || !line.empty()) {
                if (dropped == Dropped::No)
                    keep(p, nl);
                answer(line);
                line.clear();
            } else {
                answer(std::string_view(p, std::size_t(nl - p)));
            }
            p = nl + 1;
        }
        // Answer what has been read before waiting for more input, so that a
        // program feeding the lines one by one gets each answer at once.
        if (!output.empty() && !writeOut(out, output))
            return FileError;
        output.clear();
    }
    if (dropped != Dropped::No || !line.empty())
        answer(line);
    return writeOut(out, output) ? Ok : FileError;
}

} // namespace tarvel::cli
