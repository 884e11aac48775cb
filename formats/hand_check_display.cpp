#include "formats/hand_check_display.h"

#include <cmath>

#include "base/number_text.h"

namespace zano {
namespace {

// Fixed decimals: temperature differences and duties as the results show temperatures and the
// capacity; ratios to four.
std::string fixed(double v, int decimals) {
    return formatDouble(roundTo(v, decimals));
}

// Four significant digits: properties that span orders of magnitude (a viscosity of 0,0008905
// Pa s, a density of 998,2 kg/m^3).
std::string significant(double v) {
    if (v == 0 || !std::isfinite(v)) return formatDouble(v);
    const int digits = 3 - static_cast<int>(std::floor(std::log10(std::fabs(v))));
    return formatDouble(roundTo(v, digits > 0 ? digits : 0));
}

}  // namespace

std::vector<HandCheckRow> handCheckRows(const std::optional<HandCheck>& check) {
    const HandCheck h = check.value_or(HandCheck{});
    const bool any = check.has_value();
    const auto one = [any](const char* box, const char* caption, const char* unit,
                           std::string text) {
        return HandCheckRow{box, caption, unit, false, any ? std::move(text) : "", {}};
    };
    const auto each = [any, &h](const char* box, const char* caption, const char* unit,
                                double SideProperties::*p) {
        return HandCheckRow{box,
                            caption,
                            unit,
                            true,
                            any ? significant(h.internal.*p) : "",
                            any ? significant(h.external.*p) : ""};
    };
    return {
        one("LogMean", "Log-mean temp. difference", "K", fixed(h.logMean, 3)),
        one("MeanUsed", "Mean difference q/(U a)", "K", fixed(h.meanDifference, 3)),
        {"CapacityRate", "Capacity rate", "kW/K", true, any ? significant(h.intRate) : "",
         any ? significant(h.estRate) : ""},
        one("RateRatio", "Capacity rate ratio", "", fixed(h.rateRatio, 4)),
        one("Ntu", "NTU", "", fixed(h.ntu, 4)),
        one("Effectiveness", "Effectiveness", "", fixed(h.effectiveness, 4)),
        one("MaxDuty", "Maximum duty", "kW", fixed(h.maxDuty, 3)),
        each("Density", "Density", "kg/m^3", &SideProperties::dens),
        each("SpecificHeat", "Specific heat", "kJ/(kg K)", &SideProperties::cp),
        each("Conductivity", "Conductivity", "W/(m K)", &SideProperties::cond),
        each("Viscosity", "Viscosity", "Pa s", &SideProperties::visc),
        each("WallViscosity", "Viscosity at the wall", "Pa s", &SideProperties::wallVisc),
    };
}

}  // namespace zano
