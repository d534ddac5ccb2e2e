#include "catalogues.h"

namespace tarvel::catalogue {

List conductors(int w)
{
    std::string al = "39600000 - Al : Alumínio", au = "41000000 - Au : Ouro",
                cu = "57600000 - Cu : Cobre", ag = "61000000 - Ag : Prata";
    switch (w) {
    case 4:
        al = "39600000 - Al: Alumínio";
        [[fallthrough]];
    case 17:
        au = "41000000 - Au: Ouro";
        cu = "57600000 - Cu: Cobre";
        ag = "61000000 - Ag: Prata";
        break;
    case 6:
        al = "39600000 -  Al: Alumínio";
        au = "41000000 - Au: Ouro";
        cu = "57600000 - Cu: Cobre";
        ag = "61000000 - Ag: Prata ";
        break;
    case 5: case 7: case 19: case 20: case 22: case 26: case 27:
        al = "39600000 - Al  : Alumínio";
        break;
    default:
        break;
    }
    if (w == 20 || w == 29)
        au = "41000000 - Au : Ouro ";
    return {"", al, au, cu, ag};
}

List dielectricsA(int w)
{
    List l = {"",
              "2.10 - PTFE: Polytetrafluoretileno",
              "2.10 - PFA  : Perfluoralkoxy",
              "2.10 - FEP  : Fluoretilenopropileno",
              "2.28 - PE    : Polyetileno",
              "2.60 - ETFE: Etilenotetrafluoretileno"};
    if (w == 16) {
        l[2] = "2.10 - PFA   : Perfluoralkoxy";
        l[3] = "2.10 - FEP   : Fluoretilenopropileno";
        l[4] = "2.28 - PE     : Polyetileno";
    }
    if (w == 15)
        l[5] += " ";
    return l;
}

List lossTangentsA() { return {" ", "0.00010", "0.00030", "0.00030", "0.00015", "0.00550"}; }
List strengthsA() { return {" ", "50", "70", "82", "40", "60"}; }

List dielectricsB(int w)
{
    List l = {"",
              "2.20 - RT/duroid® 5880",
              "2.33 - RT/duroid® 5870",
              "2.50 - ULTRALAM® 2000",
              "2.94 - RT/duroid® 6002",
              "6.15 - RT/duroid® 6006",
              "10.2 - RT/duroid® 6010LM",
              "3.27 - TMM® 3",
              "4.50 - TMM® 4",
              "6.00 - TMM® 6",
              "9.20 - TMM® 10",
              "9.80 - TMM® 10i",
              "3.00 - RO3003",
              "6.15 - RO3006",
              "10.2 - RO3010",
              "3.98 - RO4003",
              "3.48 - RO4350"};
    if (w == 5) {
        l[1] = "2.20 -  RT/duroid® 5880";
        l.push_back(""); // a 17th, blank entry that fills nothing
    }
    return l;
}

List lossTangentsB()
{
    return {" ", "0.0009", "0.0012", "0.0019", "0.0012", "0.0019", "0.0023", "0.0020", "0.0020",
            "0.0023", "0.0023", "0.0020", "0.0013", "0.0025", "0.0035", "0.0027", "0.0040"};
}

List dielectricsC(int w)
{
    List l = {"",
              "2.35 - Glass-reinforced teflon1",
              "2.47 - Teflon quartz (woven)",
              "2.50 - Glass-reinforced teflon2",
              "2.55 - Polyphenelene oxide(PPO)",
              "2.56 - Cross-linked polystyrene",
              "2.62 - Glass-reinforced polystyrene",
              "3.78 - Fused silica",
              "6.80 - Beryllium oxide(BeO)",
              "9.40 - Sapphire",
              "13.0 - Gallium arsenide(GaAs)"};
    if (w == 6 || w == 7 || w == 12)
        l[10] += "     ";
    return l;
}

List conductivitiesC()
{
    return {" ", "0.00078", "0.00082", "0.00243", "0.00227", "0.00037", "0.00145", "0.00021", "0.00039",
            "0.00055", "0.00800"};
}

List dielectricsD() { return {"", "10.2 - RT/duroid® 6010LM", "9.80 - TMM® 10i", "10.2 - RO3010  "}; }
List numbersD() { return {"", "10.2", "9.80", "10.2"}; }

List thicknesses(int w)
{
    if (w == 4)
        return {"", "9.0    µm ED(1/4 oz)", "17.5  µm ED(1/2 oz)", "35.0  µm ED(1 oz)", "70.0  µm ED(2 oz)",
                "17.5  µm Rolled(1/2 oz)", "35.0  µm Rolled(1 oz)", "70.0  µm Rolled(2 oz)"};
    return {"", "9.0   µm ED(1/4 oz)", "17.5 µm ED(1/2 oz)", "35.0 µm ED(1 oz)", "70.0 µm ED(2 oz)",
            "17.5 µm Rolled(1/2 oz)", "35.0 µm Rolled(1 oz)", "70.0 µm Rolled(2 oz)"};
}

bool inMicrometres(const std::string& entry) { return entry.find(" µm ") != std::string::npos; }

List heights()
{
    return {"", "0.13", "0.25", "0.38", "0.51", "0.64", "0.76", "0.79", "1.27", "1.52", "1.57", "1.91", "2.54"};
}

List dialogConductors()
{
    return {"39600000 - Al : Alumínio", "41000000 - Au: Ouro", "57600000 - Cu: Cobre", "61000000 - Ag: Prata"};
}

List withoutBlank(List list)
{
    if (!list.empty() && list.front().empty())
        list.erase(list.begin());
    return list;
}

} // namespace tarvel::catalogue
