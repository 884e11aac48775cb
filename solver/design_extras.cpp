#include "solver/design_extras.h"

namespace zano {

DesignExtras designExtras(const CaseData& c, const CalcState& s, const ResultsData& r,
                          int profileSteps) {
    DesignExtras x;
    try {
        if (const auto leg = hairpinLeg(c.hairpinLength)) x.hairpins = hairpinsFor(r.L, *leg);
    } catch (const CalcError& e) {
        x.fault = e;
    }
    try {
        if (profileSteps > 0) x.profile = temperatureProfile(s, r, profileSteps);
    } catch (const CalcError& e) {
        if (!x.fault) x.fault = e;
    }
    return x;
}

}  // namespace zano
