// SPDX-License-Identifier: GPL-3.0-or-later
// Writes, at build time, the installed files that repeat what the program
// already knows, so that each fact keeps one source:
//   mime OUT            the shared-mime-info package: one type per project
//                       file extension, named after the windows that use it;
//   desktop IN OUT K=V  the desktop entry: @MIME_TYPES@ filled in, and each
//                       further @K@ replaced by V;
//   man OUT             the manual page of tarvel-calc, from its --help text.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/tool.h"
#include "models/all_windows.h"

namespace {

std::string mimeType(const std::string& extension) { return "application/x-tarvel-" + extension; }

// Extension -> the menu paths of the windows that save it, in menu order.
std::map<std::string, std::vector<std::string>> projectTypes()
{
    std::map<std::string, std::vector<std::string>> types;
    for (const tarvel::WindowDescription* w : tarvel::allWindows()) {
        std::string path;
        for (const std::string& step : tarvel::menuPath(*w))
            path += (path.empty() ? "" : " › ") + step;
        types[w->project.extension].push_back(path);
    }
    return types;
}

std::string xmlEscaped(const std::string& s)
{
    std::string out;
    for (char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string mimePackage(const std::string& icon)
{
    std::ostringstream x;
    x << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    for (const auto& [extension, windows] : projectTypes()) {
        std::string comment = "Projeto do Tarvel: ";
        for (std::size_t i = 0; i < windows.size(); ++i)
            comment += (i ? "; " : "") + windows[i];
        // The files are bare sequences of 6-byte reals with no signature, so
        // a widely used format that shares an extension (".stl") must win:
        // our patterns weigh less than the default 50.
        x << "  <mime-type type=\"" << mimeType(extension) << "\">\n"
          << "    <comment>" << xmlEscaped(comment) << "</comment>\n"
          << "    <icon name=\"" << icon << "\"/>\n"
          << "    <glob pattern=\"*." << extension << "\" weight=\"40\"/>\n"
          << "  </mime-type>\n";
    }
    x << "</mime-info>\n";
    return x.str();
}

std::string mimeList()
{
    std::string list;
    for (const auto& entry : projectTypes())
        list += mimeType(entry.first) + ";";
    return list;
}

// --help text -> man(7). The help is laid out for a terminal: a first line
// "name: summary", a description, then sections whose titles start in
// column 0 with a capital word; in the usage section a command starts at
// column 2 and its explanation at column 6, with examples and other aligned
// material indented further. Running text is filled; aligned lines are kept.
std::string roffText(const std::string& s)
{
    std::string out;
    for (char c : s) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\''))
        out = "\\&" + out;
    return out;
}

std::size_t indentOf(const std::string& line) { return line.find_first_not_of(' '); }

bool isTitle(const std::string& line)
{
    if (line.empty() || line[0] == ' ')
        return false;
    const std::string first = line.substr(0, line.find(' '));
    for (char c : first)
        if (c >= 'a' && c <= 'z')
            return false;
    return true;
}

// Lines whose spacing carries meaning: anything indented past the running
// text, and rows of a table or an example, whose first word is followed by
// two blanks or more ("0   resultados", "Exemplo:  tarvel-calc list").
bool isAligned(const std::string& line, std::size_t textIndent)
{
    const std::size_t start = indentOf(line);
    const std::size_t afterWord = line.find(' ', start);
    return start > textIndent || (afterWord != std::string::npos && line.compare(afterWord, 2, "  ") == 0);
}

std::string manPage(const std::string& help, const std::string& version)
{
    std::vector<std::string> lines;
    std::istringstream in(help);
    for (std::string l; std::getline(in, l);)
        lines.push_back(l);
    std::ostringstream m;
    const std::string& head = lines.at(0);
    const std::size_t colon = head.find(": ");
    std::string summary = head.substr(colon + 2);
    if (!summary.empty() && summary.back() == '.')
        summary.pop_back();
    m << ".\\\" -*- coding: UTF-8 -*-\n"
      << ".\\\" Generated from tarvel-calc --help.\n"
      << ".TH TARVEL\\-CALC 1 \"\" \"Tarvel " << version << "\" \"Comandos do usuário\"\n"
      << ".nh\n.ad l\n"
      << ".SH NOME\n"
      << roffText(head.substr(0, colon)) << " \\- " << roffText(summary) << "\n";

    // The synopsis: the commands of the usage section.
    m << ".SH SINOPSE\n";
    for (const std::string& l : lines)
        if (indentOf(l) == 2 && l.compare(2, 11, "tarvel-calc") == 0)
            m << ".br\n.B " << roffText(l.substr(2)) << "\n";
    m << ".SH DESCRIÇÃO\n";

    bool inLiteral = false;
    auto literal = [&](bool on) {
        if (on != inLiteral)
            m << (on ? ".nf\n" : ".fi\n");
        inLiteral = on;
    };
    std::size_t textIndent = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        if (l.find_first_not_of(' ') == std::string::npos) {
            literal(false);
            m << ".PP\n";
        } else if (isTitle(l)) {
            literal(false);
            m << ".SH " << roffText(l) << "\n";
            textIndent = 2;
        } else if (indentOf(l) == 2 && l.compare(2, 11, "tarvel-calc") == 0) {
            literal(false);
            m << ".TP\n.B " << roffText(l.substr(2)) << "\n";
            textIndent = 6;
        } else if (isAligned(l, textIndent)) {
            literal(true);
            m << roffText(l.substr(std::min(indentOf(l), textIndent))) << "\n";
        } else {
            literal(false);
            m << roffText(l.substr(indentOf(l))) << "\n";
        }
    }
    literal(false);
    return m.str();
}

bool write(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out.flush());
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> a(argv + 1, argv + argc);
    bool ok = false;
    if (a.size() == 3 && a[0] == "mime") {
        ok = write(a[1], mimePackage(a[2]));
    } else if (a.size() >= 3 && a[0] == "desktop") {
        std::ifstream in(a[1], std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<std::string> values{"MIME_TYPES=" + mimeList()};
        values.insert(values.end(), a.begin() + 3, a.end());
        ok = !in.bad();
        for (const std::string& kv : values) {
            const std::size_t eq = kv.find('=');
            const std::string key = "@" + kv.substr(0, eq) + "@";
            const std::size_t at = text.find(key);
            ok = ok && eq != std::string::npos && at != std::string::npos;
            if (ok)
                text.replace(at, key.size(), kv.substr(eq + 1));
        }
        ok = ok && write(a[2], text);
    } else if (a.size() == 3 && a[0] == "man") {
        ok = write(a[1], manPage(tarvel::cli::helpText(), a[2]));
    } else {
        std::fprintf(stderr, "uso: desktop_files mime SAIDA ICONE | desktop MODELO SAIDA [CHAVE=VALOR...] | man SAIDA VERSAO\n");
        return 64;
    }
    if (!ok)
        std::fprintf(stderr, "desktop_files: falha ao gravar\n");
    return ok ? 0 : 1;
}
