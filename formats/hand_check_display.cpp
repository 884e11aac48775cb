#include "formats/hand_check_display.h"

#include <cmath>

#include "base/number_text.h"
#include "formats/results_display.h"

namespace zano {
namespace {

using Q = Quantity;

// Fixed decimals: temperature differences and duties as the results show temperatures and the
// capacity; ratios to four.
std::string fixed(double v, int decimals, const Units& u, Q q = Q::Number) {
    return shownRounded(q, v, decimals, u);
}

// Four significant digits: properties that span orders of magnitude (a viscosity of 0,0008905
// Pa s, a density of 998,2 kg/m^3).
std::string significant(double v, const Units& u, Q q) {
    v = toShown(q, v, u.system);
    if (v == 0 || !std::isfinite(v)) return formatDouble(v, u.decimal);
    const int digits = 3 - static_cast<int>(std::floor(std::log10(std::fabs(v))));
    return formatDouble(roundTo(v, digits > 0 ? digits : 0), u.decimal);
}

}  // namespace

std::vector<HandCheckRow> handCheckRows(const std::optional<HandCheck>& check, const Units& u) {
    const HandCheck h = check.value_or(HandCheck{});
    const bool any = check.has_value();
    const auto unit = [&u](Q q, const char* si) { return shownUnit(q, si, u.system); };
    const auto one = [any](const char* box, const char* caption, const char* unit,
                           std::string text) {
        return HandCheckRow{box, caption, unit, false, any ? std::move(text) : "", {}};
    };
    const auto each = [any, &h, &u, &unit](const char* box, const char* caption, Q q,
                                           const char* si, double SideProperties::*p) {
        return HandCheckRow{box,
                            caption,
                            unit(q, si),
                            true,
                            any ? significant(h.internal.*p, u, q) : "",
                            any ? significant(h.external.*p, u, q) : ""};
    };
    const Q dt = Q::TemperatureDifference;
    return {
        one("LogMean", "Log-mean temp. difference", unit(dt, "K"), fixed(h.logMean, 3, u, dt)),
        one("MeanUsed", "Mean difference q/(U a)", unit(dt, "K"),
            fixed(h.meanDifference, 3, u, dt)),
        {"CapacityRate", "Capacity rate", unit(Q::CapacityRate, "kW/K"), true,
         any ? significant(h.intRate, u, Q::CapacityRate) : "",
         any ? significant(h.estRate, u, Q::CapacityRate) : ""},
        one("RateRatio", "Capacity rate ratio", "", fixed(h.rateRatio, 4, u)),
        one("Ntu", "NTU", "", fixed(h.ntu, 4, u)),
        one("Effectiveness", "Effectiveness", "", fixed(h.effectiveness, 4, u)),
        one("MaxDuty", "Maximum duty", unit(Q::Capacity, "kW"),
            fixed(h.maxDuty, 3, u, Q::Capacity)),
        each("Density", "Density", Q::Density, "kg/m^3", &SideProperties::dens),
        each("SpecificHeat", "Specific heat", Q::SpecificHeat, "kJ/(kg K)", &SideProperties::cp),
        each("Conductivity", "Conductivity", Q::Conductivity, "W/(m K)", &SideProperties::cond),
        each("Viscosity", "Viscosity", Q::Viscosity, "Pa s", &SideProperties::visc),
        each("WallViscosity", "Viscosity at the wall", Q::Viscosity, "Pa s",
             &SideProperties::wallVisc),
    };
}

}  // namespace zano
