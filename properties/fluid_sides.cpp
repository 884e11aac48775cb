#include "properties/fluid_sides.h"

#include "properties/calc_state.h"

namespace zano {

void dbpropint(CalcState& s, const std::string& fluido) {
    s.internal.load(s.data, fluido);
}
void dbpropest(CalcState& s, const std::string& fluido) {
    s.external.load(s.data, fluido);
}

void RiduciVettori(CalcState& s) {
    s.internal.reduce();
    s.external.reduce();
}

void propint(CalcState& s, double tm) {
    s.internal.setMeanTemperature(tm);
}
void propest(CalcState& s, double tm) {
    s.external.setMeanTemperature(tm);
}

double propviscpari(const CalcState& s, double tp) {
    return s.internal.wallViscosity(tp);
}
double propviscpare(const CalcState& s, double tp) {
    return s.external.wallViscosity(tp);
}

double propHint(const CalcState& s, double tt) {
    return s.internal.enthalpy(tt);
}
double propHest(const CalcState& s, double tt) {
    return s.external.enthalpy(tt);
}

double trovatint(const CalcState& s, double hh) {
    return s.internal.temperatureAt(hh);
}
double trovatest(const CalcState& s, double hh) {
    return s.external.temperatureAt(hh);
}

std::string controllatemp(const CalcState& s, double temp, float /*press*/,
                          std::string_view int_est) {
    // The bounds are those of the table as it stands, which after RiduciVettori is the
    // selected pressure's block; the pressure argument is therefore not needed.
    bool inside = false;
    if (int_est == "int")
        inside = s.internal.inRange(temp);
    else if (int_est == "est")
        inside = s.external.inRange(temp);
    return inside ? "SI" : "NO";
}

}  // namespace zano
