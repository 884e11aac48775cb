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

}  // namespace zano
