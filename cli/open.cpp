// tarvel-calc open ARQUIVO: a project file read as "&Abrir" reads it.
#include "shared.h"

#include "framework/core/project_file.h"
#include "models/all_windows.h"

namespace tarvel::cli {
namespace {

const char* const refusedFile = "Este programa não pode abrir este arquivo";

// The windows whose project extension a file name carries.
std::vector<const WindowDescription*> windowsForFile(std::string_view path)
{
    std::vector<const WindowDescription*> out;
    for (const auto* d : allWindows())
        if (!d->project.extension.empty() && extensionAccepted(path, d->project.extension))
            out.push_back(d);
    return out;
}

} // namespace

// Reads a project file as "&Abrir" does: the extension picks the window, the
// whole file is read, each stored value becomes its field's text.
std::optional<Problem> openFile(const std::string& path, const std::string& windowName, Opened& out)
{
    if (!windowName.empty()) {
        out.d = findWindow(windowName);
        if (!out.d)
            return unknownWindow(windowName);
        if (!extensionAccepted(path, out.d->project.extension))
            return Problem{FileError, std::string(refusedFile) + " (" + windowTitle(*out.d) + " abre arquivos ."
                                          + out.d->project.extension + ")"};
    } else {
        const auto candidates = windowsForFile(path);
        if (candidates.empty())
            return Problem{FileError, std::string(refusedFile) + ": \"" + path
                                          + "\" não tem a extensão de nenhuma janela"};
        if (candidates.size() > 1) {
            std::string names;
            for (const auto* c : candidates)
                names += (names.empty() ? "" : ", ") + windowTitle(*c);
            return Problem{Usage, "a extensão de \"" + path + "\" serve a mais de uma janela (" + names
                                      + "): diga qual com --window"};
        }
        out.d = candidates.front();
    }
    Bytes bytes;
    std::string error;
    if (!readFileStart(path, projectSize(*out.d), bytes, error))
        return Problem{FileError, error};
    Decoded decoded = decodeProject(*out.d, bytes, path);
    if (!decoded.ok)
        return Problem{FileError, decoded.error};
    for (const auto& input : out.d->inputs)
        out.fields[input.name] = FieldState{};
    for (const auto& [name, text] : decoded.texts)
        out.fields[name] = FieldState{text, -1};
    out.texts = std::move(decoded.texts);
    return std::nullopt;
}

Run openForm(const std::vector<std::string>& args)
{
    std::string path, windowName;
    bool asJson = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--json") {
            asJson = true;
        } else if (args[i] == "--window") {
            if (i + 1 >= args.size())
                return usage("--window pede o nome de uma janela");
            windowName = args[++i];
        } else if (args[i].rfind("--window=", 0) == 0) {
            windowName = args[i].substr(9);
        } else if (path.empty()) {
            path = args[i];
        } else {
            return usage("argumento a mais para open: \"" + args[i] + "\"");
        }
    }
    if (path.empty())
        return usage("open pede o nome de um arquivo de projeto");
    Opened opened;
    if (auto p = openFile(path, windowName, opened))
        return problem(*p, asJson);
    const Outcome o = compute(*opened.d, opened.fields);
    Run r;
    r.exit = exitOf(o);
    if (asJson) {
        r.out = outcomeJson(*opened.d, opened.fields, o) + "\n";
    } else {
        for (const auto& [name, text] : opened.texts)
            r.out += name + "=" + text + "\n";
        printOutcome(*opened.d, o, r.out);
    }
    return r;
}

} // namespace tarvel::cli
