#include "formats/film_display.h"

#include <algorithm>
#include <cmath>

#include "base/number_text.h"

namespace zano {
namespace {

// `digits` significant digits, as the window shows numbers (decimal comma).
std::string significant(double v, int digits) {
    if (v == 0 || !std::isfinite(v)) return formatDouble(v);
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(v))));
    return formatDouble(roundTo(v, digits - 1 - magnitude));
}

// A resistance and its share of their sum, 1/U: "0,0002874 (27,1 %)".
std::string resistance(double r, double total) {
    return significant(r, 4) + " (" + formatDouble(roundTo(100 * r / total, 1)) + " %)";
}

// How far apart two figures are, in % of the smaller: the same whichever set is chosen.
double apart(double a, double b) {
    return 100 * std::fabs(a - b) / std::min(std::fabs(a), std::fabs(b));
}

constexpr double kNotableDifference = 20;  // %

}  // namespace

std::vector<FilmRow> filmRows(const FilmBreakdown& f) {
    const SideFilm &i = f.internal, &e = f.external;
    const double total =
        f.internalFilm + f.internalFouling + f.wall + f.externalFouling + f.externalFilm;
    return {
        {"Flow regime", "", i.regime, e.regime},
        {"Reynolds number", "", formatDouble(roundTo(i.re, 0)), formatDouble(roundTo(e.re, 0)),
         true},
        {"Prandtl number", "", significant(i.pr, 4), significant(e.pr, 4)},
        {"Nusselt number", "", significant(i.nu, 4), significant(e.nu, 4)},
        {"Film coefficient", "W/(m^2 K)", significant(i.h, 4), significant(e.h, 4)},
        {"Wall temperature", "°C", formatDouble(roundTo(f.wallTemperature, 2)), ""},
        {"Film resistance", "(m^2 K)/W", resistance(f.internalFilm, total),
         resistance(f.externalFilm, total)},
        {"Fouling resistance", "(m^2 K)/W", resistance(f.internalFouling, total),
         resistance(f.externalFouling, total)},
        {"Wall resistance", "(m^2 K)/W", resistance(f.wall, total), ""},
    };
}

std::string otherSetLine(const OtherSetFigures& f) {
    std::string line = "Other sets:";
    for (const OtherSetFigures::Other& o : f.others) {
        line += (&o == &f.others.front() ? " " : "; ") + std::string(correlationSetName(o.set));
        if (!o.U || !o.sought)
            line += " no results";
        else
            line += " U " + significant(*o.U, 4) + " W/(m^2 K), " + significant(*o.sought, 4) +
                    (f.lengthGiven ? " kW" : " m");
    }
    return line;
}

std::string setsDifferLine(const OtherSetFigures& f) {
    std::string failed;
    const OtherSetFigures::Other* furthest = nullptr;
    double widest = 0;
    for (const OtherSetFigures::Other& o : f.others) {
        if (!o.U || !o.sought) {
            failed += (failed.empty() ? "" : "; ") + std::string(correlationSetName(o.set)) +
                      " set: " + o.message;
        } else if (const double gap = std::max(apart(f.ownU, *o.U), apart(f.ownSought, *o.sought));
                   gap > widest) {
            furthest = &o, widest = gap;
        }
    }
    if (!failed.empty()) return failed;
    if (!furthest) return {};
    std::vector<std::string> parts;
    const double u = apart(f.ownU, *furthest->U), sought = apart(f.ownSought, *furthest->sought);
    const auto percent = [](double p) { return formatDouble(roundTo(p, 0)) + " %"; };
    if (u > kNotableDifference) parts.push_back(percent(u) + " in U");
    if (sought > kNotableDifference)
        parts.push_back(percent(sought) + (f.lengthGiven ? " in capacity" : " in length"));
    if (parts.empty()) return {};
    std::string line =
        std::string("The ") + correlationSetName(furthest->set) + " set differs by " + parts[0];
    if (parts.size() > 1) line += " and " + parts[1];
    return line + ": check the flow regimes.";
}

}  // namespace zano
