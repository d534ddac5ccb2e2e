// tarvel-calc check: a window's closed forms beside the field solution of
// the cross-section its inputs describe.
#pragma once
#include <string>
#include <vector>

#include "framework/core/calculator.h"
#include "tool.h"

namespace tarvel::cli {

// "check JANELA Campo=texto ... [--json]"; args include the word "check".
Run checkForm(const std::vector<std::string>& args);

// The window and the field texts of "JANELA Campo=texto ..." from args[from]
// on, read as the compute form reads them. On a refusal `refused` holds the
// answer to give and the result is nullptr.
const WindowDescription* windowTexts(const std::vector<std::string>& args, std::size_t from, bool asJson,
                                     FieldTexts& fields, Run& refused);

// Whether args hold "--json"; `rest` gets the others, in order.
bool withoutJson(const std::vector<std::string>& args, std::vector<std::string>& rest);

} // namespace tarvel::cli
