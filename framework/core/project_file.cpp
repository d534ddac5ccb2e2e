#include "project_file.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>

#include <sys/stat.h>
#include <unistd.h>

#include "catalogues.h"
#include "number_text.h"

namespace tarvel {

bool extensionAccepted(std::string_view path, std::string_view ext)
{
    if (ext.size() != 3 || path.size() < 4 || path[path.size() - 4] != '.')
        return false;
    for (std::size_t i = 0; i < 3; ++i)
        if (std::tolower(static_cast<unsigned char>(path[path.size() - 3 + i]))
            != std::tolower(static_cast<unsigned char>(ext[i])))
            return false;
    return true;
}

std::string invalidFieldMessage(const InputSpec& input)
{
    if (!input.message.empty())
        return input.message;
    std::string label = input.labels.empty() ? input.name : input.labels.front();
    for (std::size_t i = 1; i < input.labels.size(); ++i)
        label += " " + input.labels[i];
    return "Valor inválido em \"" + label + "\"!!";
}

Encoded encodeProject(const WindowDescription& d, const FieldTexts& fields)
{
    Encoded out;
    static const FieldState empty;
    for (const auto& field : d.project.fields) {
        const InputSpec* input = d.input(field.name);
        const auto it = fields.find(field.name);
        const FieldState& state = it == fields.end() ? empty : it->second;
        InputSpec plain;
        const Real value = readField(input ? *input : plain, state);
        if (std::isnan(value)) {
            out.error = invalidFieldMessage(input ? *input : plain);
            out.bytes.clear();
            return out;
        }
        const auto bytes = encodeReal48(value);
        if (!bytes) {
            const std::string label = input && !input->labels.empty() ? input->labels.front() : field.name;
            out.error = "O valor de \"" + label + "\" é grande demais para um projeto (módulo de 2^127 ou mais). "
                        "Nada foi gravado.";
            out.tooLarge = true;
            out.bytes.clear();
            return out;
        }
        out.bytes.insert(out.bytes.end(), bytes->begin(), bytes->end());
    }
    out.ok = true;
    return out;
}

namespace {

// The same 48-bit real, so the same bytes when saved again.
bool storesAs(Real value, Real stored)
{
    const auto bytes = encodeReal48(value);
    return bytes && decodeReal48(*bytes) == stored;
}

} // namespace

std::string openedText(const InputSpec* input, Real stored, int decimals)
{
    // A micrometre entry was picked: its number typed would be millimetres.
    if (input && stored != 0)
        for (const std::string& entry : input->entries)
            if (catalogue::inMicrometres(entry) && storesAs(leadingNumber(entry), stored))
                return entry;
    // The field's own decimals where they keep the value, else the fewest
    // more that do. 2^-128, the smallest stored magnitude, needs 39 zeros
    // and its 12 significant digits.
    const int most = 60;
    for (int n = decimals; n < most; ++n) {
        std::string text = formatFixed(stored, n);
        if (storesAs(readNumber(text), stored))
            return text;
    }
    return formatFixed(stored, most);
}

Decoded decodeProject(const WindowDescription& d, const Bytes& bytes, const std::string& path)
{
    Decoded out;
    const std::size_t need = projectSize(d);
    if (bytes.size() < need) {
        out.error = "O arquivo \"" + path + "\" não é um projeto completo desta janela: tem "
                    + std::to_string(bytes.size()) + " bytes, e um projeto tem " + std::to_string(need)
                    + ". Nada foi alterado.";
        return out;
    }
    for (std::size_t i = 0; i < d.project.fields.size(); ++i) {
        const auto& field = d.project.fields[i];
        const InputSpec* input = d.input(field.name);
        out.texts.emplace_back(field.name, openedText(input, decodeReal48(bytes.data() + 6 * i), field.decimals));
    }
    out.ok = true;
    return out;
}

std::size_t projectSize(const WindowDescription& d) { return d.project.fields.size() * 6; }

bool readFileStart(const std::string& path, std::size_t most, Bytes& bytes, std::string& error)
{
    // Only a regular file is opened: a pipe or a device would block the
    // open or never end. And only the first `most` bytes are read, so a
    // huge file picked by mistake costs nothing.
    struct stat st{};
    std::ifstream f;
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        f.open(path, std::ios::binary);
    if (!f.is_open()) {
        error = "Não foi possível abrir o arquivo \"" + path + "\". Nada foi alterado.";
        return false;
    }
    bytes.assign(most, 0);
    f.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(most));
    if (f.bad()) {
        error = "Erro de leitura no arquivo \"" + path + "\". Nada foi alterado.";
        return false;
    }
    bytes.resize(std::size_t(f.gcount()));
    return true;
}

bool writeFileAtomically(const std::string& path, const Bytes& bytes, std::string& error)
{
    error = "Não foi possível gravar o arquivo \"" + path + "\". O arquivo anterior, se havia, foi mantido.";
    struct stat st{};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return false;
    std::random_device rd;
    const std::string tmp = path + ".tmp" + std::to_string(rd() % 1000000);
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f)
        return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fflush(f) == 0) && ok;
    ok = (::fsync(::fileno(f)) == 0) && ok;
    ok = (std::fclose(f) == 0) && ok;
    if (ok && ::stat(path.c_str(), &st) == 0)
        ::chmod(tmp.c_str(), st.st_mode & 07777); // keep the permissions of the file replaced
    if (!ok || std::rename(tmp.c_str(), path.c_str()) != 0) {
        std::remove(tmp.c_str());
        return false;
    }
    error.clear();
    return true;
}

} // namespace tarvel
