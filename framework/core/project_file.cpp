// SPDX-License-Identifier: GPL-3.0-or-later
#include "project_file.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <random>

#include <dirent.h>
#include <fcntl.h>
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

std::string withExtension(std::string_view path, std::string_view ext)
{
    const std::size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    std::string out(path);
    if (!name.empty() && name.find('.') == std::string_view::npos)
        out += "." + std::string(ext);
    return out;
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

namespace {

// The file a save writes: the path itself, or, through any chain of symbolic
// links, the file the last link names (which need not exist yet). A link is
// never replaced by a file. Empty after more links than the kernel follows
// in one path (a loop, or a chain longer than 40).
std::string saveTarget(const std::string& path)
{
    constexpr int mostLinks = 40; // the kernel's limit on links followed in one path
    std::string p = path;
    for (int links = 0; links <= mostLinks; ++links) {
        struct stat st{};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return p;
        std::string to(std::size_t(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t n = ::readlink(p.c_str(), to.data(), to.size());
        if (n <= 0 || std::size_t(n) >= to.size())
            return std::string();
        to.resize(std::size_t(n));
        // A relative link is relative to the folder that holds the link.
        const std::size_t slash = p.rfind('/');
        p = to.front() == '/' || slash == std::string::npos ? to : p.substr(0, slash + 1) + to;
    }
    return std::string();
}

std::string folderOf(const std::string& file)
{
    const std::size_t slash = file.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : file.substr(0, slash);
}

bool writeAll(int fd, const Bytes& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += std::size_t(n);
    }
    return true;
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The temporaries of a save are named ".tarvel-" and six characters.
constexpr const char* temporaryPrefix = ".tarvel-";
constexpr std::size_t temporaryNameLength = 8 + 6;

bool isTemporaryName(const char* name)
{
    return std::strncmp(name, temporaryPrefix, std::strlen(temporaryPrefix)) == 0
           && std::strlen(name) == temporaryNameLength;
}

// A save killed between writing its temporary and renaming it leaves the
// temporary behind. Before saving into a folder, the regular files there
// that bear a temporary's name, belong to this user and were last written
// more than a minute ago are removed: no live save takes that long, and
// without this they would pile up with every killed save.
void removeStaleTemporaries(const std::string& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const time_t now = ::time(nullptr);
    while (const dirent* e = ::readdir(dir)) {
        if (!isTemporaryName(e->d_name))
            continue;
        struct stat st{};
        if (::fstatat(::dirfd(dir), e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)
            || st.st_uid != ::geteuid() || now - st.st_mtime <= 60)
            continue;
        (void)::unlinkat(::dirfd(dir), e->d_name, 0);
    }
    ::closedir(dir);
}

// The temporary of a save. Where the file system has them, it is an
// unnamed file of the folder (O_TMPFILE), which a killed save leaves no
// trace of; it gets a name only once written and synced, just before the
// rename. Elsewhere it is a fresh named file, created exclusively (never an
// existing file or a link).
struct Temporary {
    int fd = -1;
    std::string path;     // the name, once it has one
    std::string folder;
    bool unnamed = false;

    explicit Temporary(const std::string& in) : folder(in)
    {
#ifdef O_TMPFILE
        // It is named through /proc, so only where /proc is there.
        if (::access("/proc/self/fd", X_OK) == 0)
            fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (fd >= 0) {
            unnamed = true;
            return;
        }
#endif
        path = folder + "/" + temporaryPrefix + "XXXXXX";
        fd = ::mkostemp(path.data(), O_CLOEXEC);
        if (fd < 0)
            path.clear();
    }
    ~Temporary()
    {
        if (fd >= 0)
            ::close(fd);
    }

    // Gives an unnamed temporary a fresh name of its own in its folder.
    bool name()
    {
        if (!unnamed)
            return true;
        static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        std::random_device seed;
        std::minstd_rand pick(seed());
        const std::string proc = "/proc/self/fd/" + std::to_string(fd);
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string candidate = folder + "/" + temporaryPrefix;
            for (int i = 0; i < 6; ++i)
                candidate += letters[pick() % (sizeof letters - 1)];
            if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                path = candidate;
                unnamed = false;
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }
    int close()
    {
        const int r = ::close(fd);
        fd = -1;
        return r;
    }
    void remove()
    {
        if (!path.empty())
            ::unlink(path.c_str());
    }
};

} // namespace

bool writeFileAtomically(const std::string& path, const Bytes& bytes, std::string& error)
{
    error = "Não foi possível gravar o arquivo \"" + path + "\". O arquivo anterior, se havia, foi mantido.";
    const std::string target = saveTarget(path);
    if (target.empty())
        return false;
    struct stat st{};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode))
        return false;
    // A file the user marked read-only is not replaced, even where the
    // folder would allow it (and even for the superuser, who may write
    // anything: no write bit at all means "keep it").
    if (exists && ((st.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)) {
        error = "O arquivo \"" + path + "\" é somente para leitura e não foi gravado. Nada foi alterado.";
        return false;
    }
    // The new bytes go to a fresh file in the target's folder and then take
    // the target's name in one rename: a reader, or a power loss, finds the
    // old project or the new one, never a mix.
    const std::string folder = folderOf(target);
    removeStaleTemporaries(folder);
    Temporary tmp(folder);
    const int fd = tmp.fd;
    if (fd < 0)
        return false;
    bool ok = writeAll(fd, bytes);
    if (ok && exists) {
        // The replacement keeps the permissions of the file replaced, and its
        // owner and group where the saver may give them. Only the superuser
        // may give a file away: a user who saves over another user's
        // writable file becomes the owner of the new one (its group is kept
        // when the saver belongs to it).
        if (::fchown(fd, st.st_uid, st.st_gid) != 0 && ::fchown(fd, uid_t(-1), st.st_gid) != 0) {
            // Neither could be given: the file is the saver's own.
        }
        ok = ::fchmod(fd, st.st_mode & 07777) == 0;
    } else if (ok) {
        ok = ::fchmod(fd, newFileMode()) == 0;
    }
    ok = ok && ::fsync(fd) == 0 && tmp.name();
    ok = (tmp.close() == 0) && ok;
    if (!ok || std::rename(tmp.path.c_str(), target.c_str()) != 0) {
        tmp.remove();
        return false;
    }
    // The rename lives in the folder: sync it too, so that after a power
    // loss the name points at the old file or the new one. A file system
    // that cannot sync a folder has nothing more to make durable.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
    error.clear();
    return true;
}

} // namespace tarvel
