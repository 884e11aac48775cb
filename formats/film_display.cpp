#include "formats/film_display.h"

#include <algorithm>
#include <cmath>

#include "base/number_text.h"
#include "formats/results_display.h"

namespace zano {
namespace {

// `digits` significant digits, as the window shows numbers, of a figure converted to the units
// chosen.
std::string significant(double v, int digits, const Units& u = {}, Quantity q = Quantity::Number) {
    v = toShown(q, v, u.system);
    if (v == 0 || !std::isfinite(v)) return formatDouble(v, u.decimal);
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(v))));
    // In US units a figure of more digits than asked for (a duty in Btu/h) keeps its whole
    // units; SI figures are written as they always have been.
    const int decimals = digits - 1 - magnitude;
    return formatDouble(roundTo(v, u.system == UnitSystem::US ? std::max(0, decimals) : decimals),
                        u.decimal);
}

// A resistance and its share of their sum, 1/U: "0,0002874 (27,1 %)".
std::string resistance(double r, double total, const Units& u) {
    return significant(r, 4, u, Quantity::Fouling) + " (" +
           formatDouble(roundTo(100 * r / total, 1), u.decimal) + " %)";
}

const char* unit(Quantity q, const char* si, const Units& u) {
    return shownUnit(q, si, u.system);
}

// How far apart two figures are, in % of the smaller: the same whichever set is chosen.
double apart(double a, double b) {
    return 100 * std::fabs(a - b) / std::min(std::fabs(a), std::fabs(b));
}

constexpr double kNotableDifference = 20;  // %

}  // namespace

std::vector<FilmRow> filmRows(const FilmBreakdown& f, const Units& u) {
    const SideFilm &i = f.internal, &e = f.external;
    const double total =
        f.internalFilm + f.internalFouling + f.wall + f.externalFouling + f.externalFilm;
    const char* fouling = unit(Quantity::Fouling, "(m^2 K)/W", u);
    const auto number = [&u](double v) { return significant(v, 4, u); };
    const auto film = [&u](double h) { return significant(h, 4, u, Quantity::Coefficient); };
    const auto share = [&](double r) { return resistance(r, total, u); };
    return {
        {"Flow regime", "", i.regime, e.regime},
        {"Reynolds number", "", formatDouble(roundTo(i.re, 0), u.decimal),
         formatDouble(roundTo(e.re, 0), u.decimal), true},
        {"Prandtl number", "", number(i.pr), number(e.pr)},
        {"Nusselt number", "", number(i.nu), number(e.nu)},
        {"Film coefficient", unit(Quantity::Coefficient, "W/(m^2 K)", u), film(i.h), film(e.h)},
        {"Wall temperature", unit(Quantity::Temperature, "°C", u),
         shownRounded(Quantity::Temperature, f.wallTemperature, 2, u), ""},
        {"Film resistance", fouling, share(f.internalFilm), share(f.externalFilm)},
        {"Fouling resistance", fouling, share(f.internalFouling), share(f.externalFouling)},
        {"Wall resistance", fouling, share(f.wall), ""},
    };
}

std::string otherSetLine(const OtherSetFigures& f, const Units& u) {
    const Quantity sought = f.lengthGiven ? Quantity::Capacity : Quantity::Length;
    std::string line = "Other sets:";
    for (const OtherSetFigures::Other& o : f.others) {
        line += (&o == &f.others.front() ? " " : "; ") + std::string(correlationSetName(o.set));
        if (!o.U || !o.sought)
            line += " no results";
        else
            line += " U " + significant(*o.U, 4, u, Quantity::Coefficient) + " " +
                    unit(Quantity::Coefficient, "W/(m^2 K)", u) + ", " +
                    significant(*o.sought, 4, u, sought) + " " +
                    unit(sought, f.lengthGiven ? "kW" : "m", u);
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
