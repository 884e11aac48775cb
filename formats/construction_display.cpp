#include "formats/construction_display.h"

#include <optional>

#include "base/number_text.h"
#include "formats/results_display.h"

namespace zano {
namespace {

using Q = Quantity;

std::string rounded(const std::optional<double>& v, int decimals, const Units& u, Q q = Q::Number) {
    return v ? shownRounded(q, *v, decimals, u) : std::string();
}

// A part of a stream's pressure drop as built, rounded as the pressure drop row shows it.
std::string dropPart(const std::optional<BuiltDrop>& d, double BuiltDrop::*part, Q q,
                     const Units& u) {
    return d ? shownRounded(q, (*d).*part, 3, u) : std::string();
}

std::string flow(const std::optional<float>& m, const Units& u) {
    return m ? shownRounded(Q::MassFlow, *m, 4, u) : std::string();
}

std::string allowed(const std::optional<BuiltDrop>& d, const Units& u) {
    return d && d->allowable ? shownGeneral(Q::PressureDrop, *d->allowable, u) : std::string();
}

}  // namespace

bool hasConstructionFigures(const Hairpins& h) {
    return h.ratedCapacity || h.intDrop || h.estDrop || h.F;
}

std::vector<ConstructionRow> constructionRows(const Hairpins& h, const Units& u) {
    const bool branched = h.F.has_value();
    const auto unit = [&u](Q q, const char* si) { return shownUnit(q, si, u.system); };
    const auto drops = [&](const char* box, const char* caption, Q q, const char* si,
                           double BuiltDrop::*part) {
        return ConstructionRow{box,
                               caption,
                               unit(q, si),
                               true,
                               dropPart(h.intDrop, part, q, u),
                               dropPart(h.estDrop, part, q, u)};
    };
    const Q dp = Q::PressureDrop;
    return {
        {"OverSurface", "Over-surface", "%", false, rounded(h.overSurface, 1, u), {}},
        {"RatedCapacity",
         "Rated capacity",
         unit(Q::Capacity, "kW"),
         false,
         h.ratedCapacity ? shownRounded(Q::Capacity, *h.ratedCapacity, 3, u) : std::string(),
         {}},
        {"Branches", "Branches", "", true, branched ? std::to_string(h.intBranches) : "",
         branched ? std::to_string(h.estBranches) : ""},
        {"ToutBuilt", "Temp out as built", unit(Q::Temperature, "°C"), true,
         rounded(h.intToutBuilt, 3, u, Q::Temperature),
         rounded(h.estToutBuilt, 3, u, Q::Temperature)},
        {"PortBuilt", "Mass flow as built", unit(Q::MassFlow, "kg/s"), true,
         flow(h.intPortBuilt, u), flow(h.estPortBuilt, u)},
        {"MeanDifference",
         "Mean temp. difference",
         unit(Q::TemperatureDifference, "K"),
         false,
         rounded(h.meanDifference, 3, u, Q::TemperatureDifference),
         {}},
        {"CorrectionF", "F", "", false, rounded(h.F, 4, u), {}},
        drops("DropStraight", "Straight pipe", dp, "kPa", &BuiltDrop::straight),
        drops("DropReturns", "Returns", dp, "kPa", &BuiltDrop::returns),
        drops("DropNozzles", "Nozzles", dp, "kPa", &BuiltDrop::nozzles),
        drops("DropBuilt", "Pressure drop as built", dp, "kPa", &BuiltDrop::total),
        {"DropAllowed", "Allowable pressure drop", unit(dp, "kPa"), true, allowed(h.intDrop, u),
         allowed(h.estDrop, u)},
        drops("NozzleVelocity", "Nozzle velocity", Q::Velocity, "m/s", &BuiltDrop::nozzleVelocity),
    };
}

}  // namespace zano
