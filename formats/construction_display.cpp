#include "formats/construction_display.h"

#include <optional>

#include "base/number_text.h"

namespace zano {
namespace {

std::string rounded(const std::optional<double>& v, int decimals) {
    return v ? formatDouble(roundTo(*v, decimals)) : std::string();
}

// A part of a stream's pressure drop as built, rounded as the pressure drop row shows it.
std::string dropPart(const std::optional<BuiltDrop>& d, double BuiltDrop::*part) {
    return d ? formatDouble(roundTo((*d).*part, 3)) : std::string();
}

std::string flow(const std::optional<float>& m) {
    return m ? formatSingle(roundTo(*m, 4)) : std::string();
}

std::string allowed(const std::optional<BuiltDrop>& d) {
    return d && d->allowable ? formatDouble(*d->allowable) : std::string();
}

}  // namespace

bool hasConstructionFigures(const Hairpins& h) {
    return h.ratedCapacity || h.intDrop || h.estDrop || h.F;
}

std::vector<ConstructionRow> constructionRows(const Hairpins& h) {
    const bool branched = h.F.has_value();
    const auto drops = [&h](const char* box, const char* caption, const char* unit,
                            double BuiltDrop::*part) {
        return ConstructionRow{
            box, caption, unit, true, dropPart(h.intDrop, part), dropPart(h.estDrop, part)};
    };
    return {
        {"OverSurface", "Over-surface", "%", false, rounded(h.overSurface, 1), {}},
        {"RatedCapacity",
         "Rated capacity",
         "kW",
         false,
         h.ratedCapacity ? formatSingle(roundTo(*h.ratedCapacity, 3)) : std::string(),
         {}},
        {"Branches", "Branches", "", true, branched ? std::to_string(h.intBranches) : "",
         branched ? std::to_string(h.estBranches) : ""},
        {"ToutBuilt", "Temp out as built", "°C", true, rounded(h.intToutBuilt, 3),
         rounded(h.estToutBuilt, 3)},
        {"PortBuilt", "Mass flow as built", "kg/s", true, flow(h.intPortBuilt),
         flow(h.estPortBuilt)},
        {"MeanDifference", "Mean temp. difference", "K", false, rounded(h.meanDifference, 3), {}},
        {"CorrectionF", "F", "", false, rounded(h.F, 4), {}},
        drops("DropStraight", "Straight pipe", "kPa", &BuiltDrop::straight),
        drops("DropReturns", "Returns", "kPa", &BuiltDrop::returns),
        drops("DropNozzles", "Nozzles", "kPa", &BuiltDrop::nozzles),
        drops("DropBuilt", "Pressure drop as built", "kPa", &BuiltDrop::total),
        {"DropAllowed", "Allowable pressure drop", "kPa", true, allowed(h.intDrop),
         allowed(h.estDrop)},
        drops("NozzleVelocity", "Nozzle velocity", "m/s", &BuiltDrop::nozzleVelocity),
    };
}

}  // namespace zano
