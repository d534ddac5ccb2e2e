// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogues.h"

namespace tarvel::catalogue {

List Catalogue::texts() const
{
    List l;
    for (const Row& r : rows)
        l.push_back(r.text);
    return l;
}

std::vector<Fill> Catalogue::fillsInto(const std::vector<std::string>& fields) const
{
    std::vector<Fill> fills;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        // Rows at the end that carry nothing for this field write nothing.
        std::size_t n = rows.size();
        while (n > 0 && rows[n - 1].fills.size() <= i)
            --n;
        Fill f{fields[i], {}};
        for (std::size_t r = 0; r < n; ++r)
            f.values.push_back(i < rows[r].fills.size() ? rows[r].fills[i] : std::string());
        fills.push_back(std::move(f));
    }
    return fills;
}

Catalogue Catalogue::respelled(const std::vector<std::pair<std::size_t, std::string>>& texts) const
{
    Catalogue c = *this;
    for (const auto& [i, text] : texts)
        c.rows.at(i).text = text;
    return c;
}

Catalogue Catalogue::with(const std::vector<Row>& more) const
{
    Catalogue c = *this;
    c.rows.insert(c.rows.end(), more.begin(), more.end());
    return c;
}

Catalogue conductorRows()
{
    return {{{""},
             {"39600000 - Al : Alumínio"},
             {"41000000 - Au : Ouro"},
             {"57600000 - Cu : Cobre"},
             {"61000000 - Ag : Prata"}}};
}

Catalogue dielectricRowsA()
{
    return {{{"", {" ", " "}},
             {"2.10 - PTFE: Polytetrafluoretileno", {"0.00010", "50"}},
             {"2.10 - PFA  : Perfluoralkoxy", {"0.00030", "70"}},
             {"2.10 - FEP  : Fluoretilenopropileno", {"0.00030", "82"}},
             {"2.28 - PE    : Polyetileno", {"0.00015", "40"}},
             {"2.60 - ETFE: Etilenotetrafluoretileno", {"0.00550", "60"}}}};
}

Catalogue dielectricRowsB()
{
    return {{{"", {" "}},
             {"2.20 - RT/duroid® 5880", {"0.0009"}},
             {"2.33 - RT/duroid® 5870", {"0.0012"}},
             {"2.50 - ULTRALAM® 2000", {"0.0019"}},
             {"2.94 - RT/duroid® 6002", {"0.0012"}},
             {"6.15 - RT/duroid® 6006", {"0.0019"}},
             {"10.2 - RT/duroid® 6010LM", {"0.0023"}},
             {"3.27 - TMM® 3", {"0.0020"}},
             {"4.50 - TMM® 4", {"0.0020"}},
             {"6.00 - TMM® 6", {"0.0023"}},
             {"9.20 - TMM® 10", {"0.0023"}},
             {"9.80 - TMM® 10i", {"0.0020"}},
             {"3.00 - RO3003", {"0.0013"}},
             {"6.15 - RO3006", {"0.0025"}},
             {"10.2 - RO3010", {"0.0035"}},
             {"3.98 - RO4003", {"0.0027"}},
             {"3.48 - RO4350", {"0.0040"}}}};
}

Catalogue dielectricRowsC()
{
    return {{{"", {" "}},
             {"2.35 - Glass-reinforced teflon1", {"0.00078"}},
             {"2.47 - Teflon quartz (woven)", {"0.00082"}},
             {"2.50 - Glass-reinforced teflon2", {"0.00243"}},
             {"2.55 - Polyphenelene oxide(PPO)", {"0.00227"}},
             {"2.56 - Cross-linked polystyrene", {"0.00037"}},
             {"2.62 - Glass-reinforced polystyrene", {"0.00145"}},
             {"3.78 - Fused silica", {"0.00021"}},
             {"6.80 - Beryllium oxide(BeO)", {"0.00039"}},
             {"9.40 - Sapphire", {"0.00055"}},
             {"13.0 - Gallium arsenide(GaAs)", {"0.00800"}}}};
}

Catalogue dielectricRowsD()
{
    return {{{"", {""}},
             {"10.2 - RT/duroid® 6010LM", {"10.2"}},
             {"9.80 - TMM® 10i", {"9.80"}},
             {"10.2 - RO3010  ", {"10.2"}}}};
}

Catalogue thicknessRows()
{
    return {{{""},
             {"9.0   µm ED(1/4 oz)"},
             {"17.5 µm ED(1/2 oz)"},
             {"35.0 µm ED(1 oz)"},
             {"70.0 µm ED(2 oz)"},
             {"17.5 µm Rolled(1/2 oz)"},
             {"35.0 µm Rolled(1 oz)"},
             {"70.0 µm Rolled(2 oz)"}}};
}

Catalogue heightRows()
{
    Catalogue c;
    for (const char* h : {"", "0.13", "0.25", "0.38", "0.51", "0.64", "0.76", "0.79", "1.27", "1.52", "1.57", "1.91",
                          "2.54"})
        c.rows.push_back({h});
    return c;
}

bool inMicrometres(const std::string& entry) { return entry.find(" µm ") != std::string::npos; }

List withoutBlank(List list)
{
    if (!list.empty() && list.front().empty())
        list.erase(list.begin());
    return list;
}

} // namespace tarvel::catalogue
