// SPDX-License-Identifier: GPL-3.0-or-later
#include "line_section.h"

namespace tarvel {

const char* sectionName(SectionKind k)
{
    switch (k) {
    case SectionKind::TwoWire: return "Bifilar";
    case SectionKind::Coax: return "Cabo Coaxial";
    case SectionKind::Microstrip: return "Microstrip";
    case SectionKind::Stripline: return "Stripline";
    case SectionKind::Slotline: return "Slotline";
    case SectionKind::Cpw: return "CPW";
    case SectionKind::Cps: return "CPS";
    case SectionKind::CoupledMicrostrip: return "Acoplada Microstrip";
    case SectionKind::CoupledStripline: return "Acoplada StripLine";
    }
    return "";
}

} // namespace tarvel
