// tarvel-calc: the form word picks the verb.
#include "tool.h"

#include "shared.h"

namespace tarvel::cli {

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
    if (first == "field")
        return fieldForm(argsIn);
    if (first == "sweep")
        return sweepForm(argsIn);
    if (first == "export")
        return exportForm(argsIn);

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

} // namespace tarvel::cli
