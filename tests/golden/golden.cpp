// SPDX-License-Identifier: GPL-3.0-or-later
#include "golden.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "framework/core/calculator.h"
#include "models/all_windows.h"

namespace tarvel::golden {
namespace {

std::vector<std::string> splitTabs(const std::string& line)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        parts.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return parts;
        start = tab + 1;
    }
}

} // namespace

Outcome run(const std::string& window, const Given& given)
{
    const WindowDescription* d = findWindow(window);
    if (!d)
        return Outcome::refuse("no window " + window);
    return compute(*d, typedFields(*d, given));
}

std::string exact(Real v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.21Lg", v);
    return buf;
}

const char* faultName(Fault f)
{
    switch (f) {
    case Fault::DivisionByZero: return "DivisionByZero";
    case Fault::Invalid: return "Invalid";
    case Fault::Overflow: return "Overflow";
    case Fault::None: break;
    }
    return "None";
}

void writeCase(std::ostream& out, const std::string& window, const Given& given, const Outcome& o)
{
    out << "case\t" << window;
    for (const auto& [name, text] : given)
        out << '\t' << name << '=' << text;
    out << '\n';
    switch (o.kind) {
    case Outcome::Kind::Message: out << "message\t" << o.message << '\n'; break;
    case Outcome::Kind::Fault: out << "fault\t" << faultName(o.fault) << '\n'; break;
    case Outcome::Kind::Results:
        for (const auto& [name, v] : o.results)
            out << "result\t" << name << '\t' << exact(v) << '\n';
        for (const auto& w : o.warnings)
            out << "warning\t" << w << '\n';
        break;
    }
}

std::vector<Case> readGolden(std::istream& in, std::string& error)
{
    std::vector<Case> cases;
    std::string line;
    int number = 0;
    auto fail = [&](const std::string& why) {
        error = "line " + std::to_string(number) + ": " + why;
        return cases;
    };
    while (std::getline(in, line)) {
        ++number;
        if (line.empty() || line[0] == '#')
            continue;
        const auto parts = splitTabs(line);
        const std::string& key = parts[0];
        if (key == "case") {
            if (parts.size() < 2)
                return fail("case without a window");
            Case c;
            c.line = number;
            c.window = parts[1];
            for (std::size_t i = 2; i < parts.size(); ++i) {
                const std::size_t eq = parts[i].find('=');
                if (eq == std::string::npos)
                    return fail("no '=' in \"" + parts[i] + "\"");
                c.given.emplace_back(parts[i].substr(0, eq), parts[i].substr(eq + 1));
            }
            cases.push_back(std::move(c));
            continue;
        }
        if (cases.empty())
            return fail("outcome before any case");
        Outcome& o = cases.back().expected;
        if (key == "result" && parts.size() == 3) {
            char* end = nullptr;
            const Real v = std::strtold(parts[2].c_str(), &end);
            if (end == parts[2].c_str() || *end)
                return fail("unreadable value \"" + parts[2] + "\"");
            o.set(parts[1], v);
        } else if (key == "warning" && parts.size() == 2) {
            o.warn(parts[1]);
        } else if (key == "message" && parts.size() == 2) {
            o.kind = Outcome::Kind::Message;
            o.message = parts[1];
        } else if (key == "fault" && parts.size() == 2) {
            o.kind = Outcome::Kind::Fault;
            for (Fault f : {Fault::DivisionByZero, Fault::Invalid, Fault::Overflow})
                if (parts[1] == faultName(f))
                    o.fault = f;
            if (o.fault == Fault::None)
                return fail("unknown fault \"" + parts[1] + "\"");
        } else {
            return fail("unknown line \"" + line + "\"");
        }
    }
    return cases;
}

bool close(Real expected, Real actual, Real tolerance)
{
    if (expected == actual)
        return true;
    return std::fabs(expected - actual) <= tolerance * std::fmax(std::fabs(expected), std::fabs(actual));
}

std::string compare(const Outcome& expected, const Outcome& actual, Real tolerance)
{
    auto describe = [](const Outcome& o) {
        switch (o.kind) {
        case Outcome::Kind::Message: return "message \"" + o.message + "\"";
        case Outcome::Kind::Fault: return std::string("fault ") + faultName(o.fault);
        case Outcome::Kind::Results: break;
        }
        return std::string("results");
    };
    if (expected.kind != actual.kind || expected.message != actual.message || expected.fault != actual.fault)
        return "expected " + describe(expected) + ", got " + describe(actual);
    std::ostringstream diff;
    if (expected.results.size() != actual.results.size())
        diff << expected.results.size() << " results expected, got " << actual.results.size() << "; ";
    for (std::size_t i = 0; i < expected.results.size() && i < actual.results.size(); ++i) {
        const auto& [name, v] = expected.results[i];
        const auto& [gotName, got] = actual.results[i];
        if (name != gotName)
            diff << "result " << i << " is " << gotName << ", expected " << name << "; ";
        else if (!close(v, got, tolerance))
            diff << name << " = " << exact(got) << ", expected " << exact(v) << "; ";
    }
    if (expected.warnings != actual.warnings) {
        diff << "warnings:";
        for (const auto& w : actual.warnings)
            diff << " \"" << w << "\"";
        diff << " expected:";
        for (const auto& w : expected.warnings)
            diff << " \"" << w << "\"";
    }
    return diff.str();
}

void describeWindow(std::ostream& out, const WindowDescription& d)
{
    auto list = [&out](const char* what, const std::vector<std::string>& items) {
        out << what;
        for (const auto& i : items)
            out << " [" << i << "]";
        out << "\n";
    };
    out << "window " << d.number << " " << d.className << " " << d.unit << " [" << d.caption << "]\n";
    out << "menu [" << d.menu.caption << "] " << d.menu.name << "\n";
    out << "groups [" << d.inputGroup << "]";
    list("", d.resultGroups);
    for (const auto& in : d.inputs) {
        out << " input " << in.name << (in.kind == InputKind::Combo ? " combo" : " edit") << " message ["
            << in.message << "] label " << in.labelName << " button " << in.buttonName << " [" << in.buttonText
            << "]\n";
        list("  labels", in.labels);
        list("  entries", in.entries);
        for (const auto& f : in.fills)
            list(("  fills " + f.target).c_str(), f.values);
    }
    for (const auto& r : d.results)
        out << " result " << r.name << " [" << r.label << "] group " << r.group << " raised [" << r.raised
            << "] lowered [" << r.lowered << "] label " << r.labelName << "\n";
    list("keys", d.keyFields);
    out << "flags gallery " << d.closesGallery << " front " << d.mainToFront << " enabled " << d.calcEnabledAtStart
        << " shortcut " << d.calcShortcut << " tab " << galleryTab(d.section.kind) << " tutorial " << d.tutorialCommand << "\n";
    list("toolbar", d.toolbarNames);
    out << "project " << d.project.extension << " " << d.project.defaultName << " compute "
        << d.project.computeAfterOpen << "\n";
    for (const auto& f : d.project.fields)
        out << " field " << f.name << " " << f.decimals << "\n";
    out << "report [" << d.report.title << "] " << d.report.valueX << "\n";
    for (const auto& l : d.report.lines)
        out << " line [" << l.label << "] " << l.control << (l.wideGap ? " wide" : "") << "\n";
}

} // namespace tarvel::golden
