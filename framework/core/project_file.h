// SPDX-License-Identifier: GPL-3.0-or-later
// Project files: a bare sequence of 48-bit reals, one per stored input, in
// the window's field order. Reading and writing are whole-file operations,
// so a failure never leaves a window half loaded or a file half written.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calculator.h"

namespace tarvel {

using Bytes = std::vector<std::uint8_t>;

// The name ends in a point and the window's three letters, each letter in
// either case.
bool extensionAccepted(std::string_view path, std::string_view extension);

// The name a project is saved as: the name typed, with the window's
// extension added when its last part has no point at all ("linha" becomes
// "linha.bfl"), so that what is saved can be opened again.
std::string withExtension(std::string_view path, std::string_view extension);

struct Encoded {
    bool ok = false;
    std::string error; // a field's check message, or why a value cannot be stored
    bool tooLarge = false;
    Bytes bytes;
};

// The values the compute would read, as 48-bit reals. Refuses a field whose
// text is not a number (with that field's message) and a value of magnitude
// 2^127 or more.
Encoded encodeProject(const WindowDescription& d, const FieldTexts& fields);

struct Decoded {
    bool ok = false;
    std::string error;
    std::vector<std::pair<std::string, std::string>> texts; // control -> text, file order
};

// The text "&Abrir" sets for a stored value: the field's decimals, or the
// fewest more with which the text reads back to the same 48-bit real (fixed
// point, no exponent); a micrometre thickness entry whose number it is, as
// that entry, so it is read in micrometres again.
std::string openedText(const InputSpec* input, Real stored, int decimals);

// The texts "&Abrir" sets, each as openedText gives it. A file shorter
// than the field list is refused; extra bytes are ignored.
Decoded decodeProject(const WindowDescription& d, const Bytes& bytes, const std::string& path);

// Reads at most the first `most` bytes of a regular file (what a project of
// a window can hold; the rest is never looked at).
bool readFileStart(const std::string& path, std::size_t most, Bytes& bytes, std::string& error);
// The bytes a project of the window holds: one 48-bit real per field.
std::size_t projectSize(const WindowDescription& d);
// Writes to a fresh temporary file beside the target and renames it over
// the target, so the previous file survives any failure. Through a symbolic
// link the file it points to is written and the link stays. A read-only
// file is refused with its own message.
bool writeFileAtomically(const std::string& path, const Bytes& bytes, std::string& error);

// The message for a field whose text is not a number.
std::string invalidFieldMessage(const InputSpec& input);

} // namespace tarvel
