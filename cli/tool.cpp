#include "tool.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

#include <unistd.h>

#include "framework/core/calculator.h"
#include "framework/core/number_text.h"
#include "framework/core/project_file.h"
#include "check.h"
#include "json.h"
#include "models/all_windows.h"

namespace tarvel::cli {
namespace {

using Texts = std::vector<std::pair<std::string, std::string>>;

const char* const refusedFile = "Este programa não pode abrir este arquivo";
const std::string overlongLine = "linha longa demais: o limite é de " + std::to_string(batchLineBound) + " bytes ("
                                 + std::to_string(batchLineBound >> 20) + " MiB); a linha foi ignorada";

std::string joinLabels(const std::vector<std::string>& labels)
{
    std::string out;
    for (const auto& l : labels)
        out += (out.empty() ? "" : " ") + l;
    return out;
}

std::string resultLabel(const ResultSpec& r)
{
    if (r.raised.empty())
        return r.label;
    std::string label = r.label;
    const std::size_t x = label.find("x10");
    if (x == std::string::npos)
        return label + " [" + r.raised + "]";
    return label.insert(x + 3, "^" + r.raised);
}

std::string windowTitle(const WindowDescription& d) { return d.className + " (" + d.unit + ")"; }

// The input control a name given on the command line stands for: the exact
// name, else the one input whose name differs only in case.
const InputSpec* findInput(const WindowDescription& d, std::string_view name)
{
    if (const InputSpec* exact = d.input(std::string(name)))
        return exact;
    const InputSpec* found = nullptr;
    for (const auto& in : d.inputs)
        if (sameNoCase(in.name, name)) {
            if (found)
                return nullptr;
            found = &in;
        }
    return found;
}

// The windows whose project extension a file name carries.
std::vector<const WindowDescription*> windowsForFile(std::string_view path)
{
    std::vector<const WindowDescription*> out;
    for (const auto* d : allWindows())
        if (!d->project.extension.empty() && extensionAccepted(path, d->project.extension))
            out.push_back(d);
    return out;
}

struct Problem {
    int exit;
    std::string text;
};

// Given texts with canonical control names, or the reason they are refused.
std::optional<Problem> canonicalTexts(const WindowDescription& d, const Texts& given, Texts& out)
{
    out.reserve(given.size());
    std::vector<const InputSpec*> seen;
    seen.reserve(given.size());
    for (const auto& [name, text] : given) {
        const InputSpec* input = findInput(d, name);
        if (!input)
            return Problem{Usage, "campo desconhecido em " + windowTitle(d) + ": \"" + name
                                      + "\" (veja: tarvel-calc fields " + d.className + ")"};
        if (std::find(seen.begin(), seen.end(), input) != seen.end())
            return Problem{Usage, "campo dado duas vezes: " + input->name};
        seen.push_back(input);
        out.emplace_back(input->name, text);
    }
    return std::nullopt;
}

// Results in the window's display order, as the window writes them: each
// result of the outcome goes to `put` once, as (name, text).
template <typename Put>
void forEachResult(const WindowDescription& d, const Outcome& o, Put put)
{
    // Most models give their results in the display order already.
    bool inOrder = o.results.size() == d.results.size();
    for (std::size_t i = 0; inOrder && i < o.results.size(); ++i)
        inOrder = o.results[i].first == d.results[i].name;
    if (inOrder) {
        for (const auto& [name, value] : o.results)
            put(name, resultText(value));
        return;
    }
    std::vector<bool> used(o.results.size(), false);
    for (const auto& r : d.results)
        for (std::size_t i = 0; i < o.results.size(); ++i)
            if (!used[i] && o.results[i].first == r.name) {
                put(r.name, resultText(o.results[i].second));
                used[i] = true;
                break;
            }
    for (std::size_t i = 0; i < o.results.size(); ++i)
        if (!used[i])
            put(o.results[i].first, resultText(o.results[i].second));
}

int exitOf(const Outcome& o)
{
    switch (o.kind) {
    case Outcome::Kind::Results: return Ok;
    case Outcome::Kind::Message: return Message;
    case Outcome::Kind::Fault: return Fault;
    }
    return Fault;
}

void printOutcome(const WindowDescription& d, const Outcome& o, std::string& out)
{
    switch (o.kind) {
    case Outcome::Kind::Results:
        forEachResult(d, o, [&out](const std::string& name, const std::string& text) {
            out += name + "=" + text + "\n";
        });
        for (const auto& w : o.warnings)
            out += "warning: " + w + "\n";
        break;
    case Outcome::Kind::Message:
        out += "message: " + o.message + "\n";
        break;
    case Outcome::Kind::Fault:
        out += std::string("fault: ") + faultText(o.fault) + "\n";
        break;
    }
}

// The object of --json and of each batch line.
std::string outcomeJson(const WindowDescription& d, const FieldTexts& fields, const Outcome& o)
{
    json::ObjectWriter inputs;
    for (const auto& input : d.inputs) {
        const auto it = fields.find(input.name);
        inputs.string(input.name, it == fields.end() ? std::string_view() : std::string_view(it->second.text));
    }
    json::ObjectWriter w;
    w.string("window", d.className).raw("inputs", inputs.finish());
    switch (o.kind) {
    case Outcome::Kind::Results: {
        json::ObjectWriter results;
        forEachResult(d, o, [&results](const std::string& name, const std::string& text) { results.string(name, text); });
        w.raw("results", results.finish());
        break;
    }
    case Outcome::Kind::Message: w.string("message", o.message); break;
    case Outcome::Kind::Fault: w.string("fault", faultText(o.fault)); break;
    }
    std::string warnings = "[";
    for (const auto& text : o.warnings) {
        if (warnings.size() > 1)
            warnings += ',';
        json::appendQuoted(warnings, text);
    }
    w.raw("warnings", warnings + "]");
    return w.finish();
}

std::string errorJson(const std::string& reason) { return json::ObjectWriter().string("error", reason).finish(); }

Run usage(std::string text)
{
    Run r;
    r.exit = Usage;
    r.err = "tarvel-calc: " + text + "\nUse \"tarvel-calc --help\" para ver as formas de uso.\n";
    return r;
}

Run problem(const Problem& p, bool asJson)
{
    if (p.exit == Usage)
        return usage(p.text);
    Run r;
    r.exit = p.exit;
    if (asJson)
        r.out = errorJson(p.text) + "\n";
    else
        r.err = "tarvel-calc: " + p.text + "\n";
    return r;
}

// Splits "Control=text" arguments.
std::optional<Problem> assignments(const std::vector<std::string>& args, std::size_t from, Texts& out)
{
    for (std::size_t i = from; i < args.size(); ++i) {
        const std::size_t eq = args[i].find('=');
        if (eq == std::string::npos || eq == 0)
            return Problem{Usage, "esperava Campo=texto, veio \"" + args[i] + "\""};
        out.emplace_back(args[i].substr(0, eq), args[i].substr(eq + 1));
    }
    return std::nullopt;
}


Problem unknownWindow(std::string_view name)
{
    return {Usage, "janela desconhecida: \"" + std::string(name) + "\" (veja: tarvel-calc list)"};
}

Run computeForm(const std::string& windowName, const Texts& given, bool asJson)
{
    const WindowDescription* d = findWindow(windowName);
    if (!d)
        return usage(unknownWindow(windowName).text);
    Texts canonical;
    if (auto p = canonicalTexts(*d, given, canonical))
        return problem(*p, asJson);
    const FieldTexts fields = typedFields(*d, canonical);
    const Outcome o = compute(*d, fields);
    Run r;
    r.exit = exitOf(o);
    if (asJson)
        r.out = outcomeJson(*d, fields, o) + "\n";
    else
        printOutcome(*d, o, r.out);
    return r;
}

struct Opened {
    const WindowDescription* d = nullptr;
    Texts texts; // file order
    FieldTexts fields;
};

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

Run saveForm(const std::vector<std::string>& args)
{
    if (args.size() < 3)
        return usage("save pede um arquivo e uma janela: tarvel-calc save ARQUIVO JANELA Campo=texto ...");
    const std::string& path = args[1];
    const WindowDescription* d = findWindow(args[2]);
    if (!d)
        return usage(unknownWindow(args[2]).text);
    Texts given, canonical;
    if (auto p = assignments(args, 3, given))
        return problem(*p, false);
    if (auto p = canonicalTexts(*d, given, canonical))
        return problem(*p, false);
    const Encoded encoded = encodeProject(*d, typedFields(*d, canonical));
    Run r;
    if (!encoded.ok) {
        // A field that is no number is refused with its own check message, a
        // value too large for the file as an error; nothing is written.
        if (encoded.tooLarge)
            return problem({FileError, encoded.error}, false);
        r.exit = Message;
        r.out = "message: " + encoded.error + "\n";
        return r;
    }
    std::string error;
    if (!writeFileAtomically(path, encoded.bytes, error))
        return problem({FileError, error}, false);
    if (!extensionAccepted(path, d->project.extension))
        r.err = "tarvel-calc: aviso: o nome não termina em ." + d->project.extension + "; a janela "
                + d->className + " não abrirá este arquivo\n";
    return r;
}

Run listForm()
{
    Run r;
    for (const auto* d : allWindows()) {
        std::string menu;
        for (const auto& m : menuPath(*d))
            menu += (menu.empty() ? "" : " > ") + m;
        r.out += d->className + "  " + d->unit + "  " + d->caption + "  " + menu + "\n";
    }
    return r;
}

Run fieldsForm(const std::string& windowName)
{
    const WindowDescription* d = findWindow(windowName);
    if (!d)
        return usage(unknownWindow(windowName).text);
    Run r;
    r.out += d->className + "  " + d->unit + "  " + d->caption + "\n";
    r.out += "Entradas:\n";
    for (const auto& in : d->inputs) {
        r.out += "  " + in.name + "  " + joinLabels(in.labels) + "\n";
        for (std::size_t i = 0; i < in.entries.size(); ++i) {
            if (in.entries[i].empty())
                continue;
            std::string line = "      " + json::quote(in.entries[i]);
            for (const auto& [target, text] : fillsOfPick(in, int(i)))
                line += "  " + target + "=" + json::quote(text);
            r.out += line + "\n";
        }
    }
    // Results under the caption of their group box, groups in window order.
    for (int g = 0; g < int(d->resultGroups.size()); ++g) {
        bool any = false;
        for (const auto& res : d->results) {
            if (res.group != g && !(g == 0 && (res.group < 0 || res.group >= int(d->resultGroups.size()))))
                continue;
            if (!any)
                r.out += d->resultGroups[g] + "\n";
            any = true;
            r.out += "  " + res.name + "  " + resultLabel(res) + "\n";
        }
    }
    return r;
}

} // namespace

bool withoutJson(const std::vector<std::string>& args, std::vector<std::string>& rest)
{
    bool asJson = false;
    for (const auto& a : args) {
        if (a == "--json")
            asJson = true;
        else
            rest.push_back(a);
    }
    return asJson;
}

Run run(const std::vector<std::string>& arguments)
{
    // "--json" may come before the form word too: "--json open x.bfl".
    std::vector<std::string> argsIn = arguments;
    while (argsIn.size() > 1 && argsIn.front() == "--json" && argsIn[1] != "--json") {
        argsIn.erase(argsIn.begin());
        argsIn.push_back("--json");
    }
    if (argsIn.empty())
        return usage("falta a forma de uso");
    const std::string& first = argsIn.front();
    if (first == "--help" || first == "-h" || first == "ajuda") {
        Run r;
        r.out = helpText();
        return r;
    }
    if (first == "list") {
        if (argsIn.size() != 1)
            return usage("list não leva argumentos");
        return listForm();
    }
    if (first == "fields") {
        if (argsIn.size() != 2)
            return usage("fields pede o nome de uma janela: tarvel-calc fields TForm4");
        return fieldsForm(argsIn[1]);
    }
    if (first == "open")
        return openForm(argsIn);
    if (first == "save")
        return saveForm(argsIn);
    if (first == "--batch")
        return usage("--batch lê a entrada padrão e não leva outros argumentos");
    if (first == "check")
        return checkForm(argsIn);

    std::vector<std::string> args;
    const bool asJson = withoutJson(argsIn, args);
    if (args.empty())
        return usage("falta o nome da janela");
    if (args.front().rfind("--", 0) == 0)
        return usage("opção desconhecida: " + args.front());
    Texts given;
    if (auto p = assignments(args, 1, given))
        return problem(*p, asJson);
    return computeForm(args.front(), given, asJson);
}

const WindowDescription* windowTexts(const std::vector<std::string>& args, std::size_t from, bool asJson,
                                     FieldTexts& fields, Run& refused)
{
    if (from >= args.size()) {
        refused = usage("falta o nome da janela");
        return nullptr;
    }
    const WindowDescription* d = findWindow(args[from]);
    if (!d) {
        refused = usage(unknownWindow(args[from]).text);
        return nullptr;
    }
    Texts given, canonical;
    auto p = assignments(args, from + 1, given);
    if (!p)
        p = canonicalTexts(*d, given, canonical);
    if (p) {
        refused = problem(*p, asJson);
        return nullptr;
    }
    fields = typedFields(*d, canonical);
    return d;
}

std::string batchLine(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    const json::Parsed parsed = json::parse(line);
    if (!parsed.ok)
        return errorJson("JSON inválido: " + parsed.error);
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

bool writeOut(std::FILE* out, const std::string& text)
{
    if (!text.empty())
        std::fwrite(text.data(), 1, text.size(), out);
    if (std::fflush(out) == 0 && !std::ferror(out))
        return true;
    std::fprintf(stderr, "tarvel-calc: não foi possível escrever a saída: %s\n", std::strerror(errno));
    return false;
}

int runBatch(int inputFd, std::FILE* out)
{
    // Each byte is looked at once: a newline is searched for only in what
    // has just been read, and a line that outgrows the bound is dropped as
    // it comes (its error line goes out when its end is reached), so no
    // line costs more than the bound in memory and time stays linear.
    std::string line, output;
    bool overlong = false;
    auto answer = [&](std::string_view text) {
        output += overlong ? errorJson(overlongLine) : batchLine(text);
        output += '\n';
        overlong = false;
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
            if (!overlong && line.size() + std::size_t(stop - p) > batchLineBound) {
                overlong = true;
                std::string().swap(line);
            }
            if (!nl) {
                if (!overlong)
                    line.append(p, end);
                break;
            }
            if (overlong || !line.empty()) {
                if (!overlong)
                    line.append(p, nl);
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
    if (overlong || !line.empty())
        answer(line);
    return writeOut(out, output) ? Ok : FileError;
}

const std::string& helpText()
{
    static const std::string text = R"(tarvel-calc: as calculadoras de linhas de transmissão do Tarvel na linha de comando.

As mesmas janelas, a mesma leitura dos textos (entradas de catálogo incluídas),
as mesmas verificações e mensagens, os mesmos modelos e os mesmos arquivos de
projeto do programa gráfico.

FORMAS DE USO

  tarvel-calc list
      Uma linha por janela de cálculo: classe, unidade, título e o caminho no
      menu principal.
      Exemplo:  tarvel-calc list

  tarvel-calc fields JANELA
      Os campos de entrada da janela (nome, rótulo e, se houver, as entradas
      do catálogo entre aspas, com o que cada uma preenche), depois os campos
      de resultado com seus rótulos.
      Exemplo:  tarvel-calc fields TForm2

  tarvel-calc JANELA Campo=texto ... [--json]
      Calcula como "&Calcular". JANELA é a classe (TForm2) ou a unidade
      (BifiAna), sem distinção de maiúsculas. Cada Campo=texto põe o texto no
      campo como se fosse digitado. Um texto igual a uma entrada do catálogo
      do campo conta como escolha dessa entrada e preenche os campos
      companheiros (a tangente de perda, por exemplo), a não ser que estes
      também sejam dados (as escolhas valem na ordem em que são dadas, como
      na janela: das duas que preenchem o mesmo campo, vale a última).
      Os nomes dos campos também valem sem distinção de maiúsculas. Campos
      não dados ficam vazios (valem 0).
      Saída: uma linha Campo=valor por resultado, com 4 decimais, na ordem da
      janela; depois uma linha "warning: texto" por aviso.
      Exemplo:  tarvel-calc TForm2 Frequencia=1 "ComboBox2=2.10 - PTFE: Polytetrafluoretileno" \
                    "ComboBox1=57600000 - Cu : Cobre" Espacamento=10 diametro=1

  tarvel-calc open ARQUIVO [--window JANELA] [--json]
      Lê um arquivo de projeto como "&Abrir": a extensão escolhe a janela
      (--window é obrigatório quando duas janelas usam a mesma extensão,
      como .slt). Mostra as entradas como Campo=texto com os decimais do
      arquivo e depois calcula e mostra os resultados como acima (também nas
      janelas que não calculam ao abrir).
      Exemplo:  tarvel-calc open BifiAna1.bfl
                tarvel-calc open projeto.slt --window TForm8

  tarvel-calc save ARQUIVO JANELA Campo=texto ...
      Grava o arquivo de projeto como "&Salvar": os mesmos bytes e as mesmas
      recusas (um campo que não é número, um valor grande demais).
      Exemplo:  tarvel-calc save BifiAna1.bfl TForm2 Frequencia=1 ComboBox2=2.1 \
                    ComboBox1=57600000 Tanperda=0.0001 Espacamento=10 diametro=1

  tarvel-calc --batch
      Para varreduras num só processo: lê linhas JSON da entrada padrão, um
      objeto por linha, e escreve, na mesma ordem, uma linha por linha lida:
      o objeto que --json mostraria. Uma linha malformada dá
      {"error": "motivo"} na sua linha e o lote continua.
        {"window": "TForm2", "inputs": {"Frequencia": "1", "diametro": "1", ...}}
        {"file": "BifiAna1.bfl"}              (como open; "window" opcional)
      Os textos das entradas vão como textos JSON, exatamente como digitados
      ou escolhidos.
      Exemplo:  echo '{"window":"TForm2","inputs":{"Frequencia":"1"}}' | tarvel-calc --batch

  tarvel-calc check JANELA Campo=texto ... [--json]
      Confere as fórmulas da janela com a solução de campo 2-D quase-estática
      da seção que as entradas descrevem (nas janelas de síntese, a geometria
      sintetizada): Z0 e constante dielétrica efetiva (ou os dois modos) da
      fórmula e do campo, a diferença da fórmula em %, o erro estimado da
      solução de campo e o seu tempo. A SlotLine não tem o que conferir.
      Exemplo:  tarvel-calc check TForm4 frequencia=1 Combobox2=4.4 \
                    Combobox1=57600000 Tanperda=0.02 largura=3 ComboBox4=1.6 ComboBox3=0.035

  tarvel-calc --help
      Este texto.

SAÍDA --json
  Um objeto numa linha:
    {"window":"TForm2","inputs":{...},"results":{"impedancia":"247.8624",...},"warnings":[...]}
  Quando uma verificação recusa as entradas, "message" vem no lugar de
  "results"; quando uma falha aritmética para o modelo, "fault". Os
  resultados são os mesmos textos com 4 decimais.

CÓDIGOS DE SAÍDA
  0   resultados calculados (ou arquivo gravado)
  1   arquivo recusado, ilegível, incompleto ou não gravado
  2   uma verificação recusou as entradas: "message: <texto exato>"
  3   falha aritmética: "fault: <texto padrão>"
  64  uso incorreto: janela ou campo desconhecido, argumento malformado
)";
    return text;
}

} // namespace tarvel::cli
