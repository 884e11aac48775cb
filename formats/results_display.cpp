#include "formats/results_display.h"

#include <string_view>

#include "base/number_text.h"

namespace zano {

const std::array<ResultsRow, 17> kResultsRows{{
    {"Outside diameter", "mm", "Text1", "Text2"},
    {"Thickness", "mm", "Text3", "Text4"},
    {"Material", "", "Text5", nullptr},
    {"Fluid", "", "Text7", "Text8"},
    {"Pressure", "bar", "Text9", "Text10"},
    {"Temp in", "°C", "Text11", "Text12"},
    {"Temp out", "°C", "Text13", "Text14"},
    {"Mass flow", "kg/s", "Text15", "Text16"},
    {"Velocity", "m/s", "Text17", "Text18"},
    {"Pressure drop", "kPa", "Text19", "Text20"},
    {"Fouling factor", "(m^2 K)/W", "Text21", "Text22"},
    {"Reynolds number", "", "Text28", "Text6"},
    {"Capacity", "kW", "Text23", nullptr},
    {"Surface", "m^2", "Text24", nullptr},
    {"Lenght", "m", "Text25", nullptr},
    {"Heat transfer coefficient", "W/(m^2 K)", "Text26", nullptr},
    {"Configuration", "", "Text27", nullptr},
}};

std::string boxText(const std::array<DisplayBox, 28>& boxes, const char* box) {
    if (!box) return {};
    for (const auto& b : boxes)
        if (std::string_view(b.box) == box) return b.text;
    return {};
}

const char* configurationText(const std::string& controequi) {
    return controequi == "contro" ? "Contercurrent" : "Equicurrent";
}

std::array<DisplayBox, 28> displayTexts(const ResultsData& r) {
    auto g = [](float v) { return formatSingle(v); };
    auto gd = [](double v) { return formatDouble(v); };
    auto r3 = [](float v) { return formatSingle(roundTo(v, 3)); };
    auto r3d = [](double v) { return formatDouble(roundTo(v, 3)); };
    return {{
        {"Text1", g(r.deti)},
        {"Text2", g(r.dete)},
        {"Text3", g(r.spi)},
        {"Text4", g(r.spe)},
        {"Text5", r.mat},
        {"Text7", r.intfluid},
        {"Text8", r.estfluid},
        {"Text9", g(r.intpress)},
        {"Text10", g(r.estpress)},
        {"Text11", r3d(r.intTin)},
        {"Text12", r3d(r.estTin)},
        {"Text13", r3d(r.intTout)},
        {"Text14", r3d(r.estTout)},
        {"Text15", r3(r.intPort)},
        {"Text16", r3(r.estPort)},
        {"Text17", r3(r.intVel)},
        {"Text18", r3(r.estVel)},
        {"Text19", r3(r.intDeltaP)},
        {"Text20", r3(r.estDeltaP)},
        {"Text21", gd(r.intSporc)},
        {"Text22", gd(r.estSporc)},
        {"Text28", formatDouble(roundTo(r.Rei, 0))},
        {"Text6", formatDouble(roundTo(r.Ree, 0))},
        {"Text23", r3(r.q)},
        {"Text24", r3(r.a)},
        {"Text25", r3(r.L)},
        {"Text26", formatSingle(roundTo(r.U, 0))},
        {"Text27", configurationText(r.controequi)},
    }};
}

}  // namespace zano
