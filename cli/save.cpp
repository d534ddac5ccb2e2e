// tarvel-calc save ARQUIVO JANELA Campo=texto ...: a project file written as
// "&Salvar" writes it.
#include "shared.h"

#include "framework/core/project_file.h"
#include "models/all_windows.h"

namespace tarvel::cli {

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

} // namespace tarvel::cli
