#include "properties/fluid_sides.h"

#include "properties/calc_state.h"

namespace zano {
namespace {

void storeProperties(const FluidProperties& p, double& dens, double& cp, double& cond,
                     double& visc) {
    dens = p.dens;
    cp = p.cp;
    cond = p.cond;
    visc = p.visc;
}

}  // namespace

void dbpropint(CalcState& s, const std::string& fluido) {
    s.intTable = readFluidTable(fluidFile(s.dataDir, fluido));
}

void dbpropest(CalcState& s, const std::string& fluido) {
    s.estTable = readFluidTable(fluidFile(s.dataDir, fluido));
}

void RiduciVettori(CalcState& s) {
    s.intTable.reduceTo(s.intPress);
    s.estTable.reduceTo(s.estPress);
}

void propint(CalcState& s, double tm) {
    storeProperties(s.intTable.properties(tm, s.intPress), s.intDens, s.intCp, s.intCond,
                    s.intVisc);
}

void propest(CalcState& s, double tm) {
    storeProperties(s.estTable.properties(tm, s.estPress), s.estDens, s.estCp, s.estCond,
                    s.estVisc);
}

double propviscpari(const CalcState& s, double tp) {
    return s.intTable.wallViscosity(tp, s.intPress);
}
double propviscpare(const CalcState& s, double tp) {
    return s.estTable.wallViscosity(tp, s.estPress);
}

double propHint(const CalcState& s, double tt) {
    return s.intTable.enthalpy(tt, s.intPress);
}
double propHest(const CalcState& s, double tt) {
    return s.estTable.enthalpy(tt, s.estPress);
}

double trovatint(const CalcState& s, double hh) {
    return s.intTable.temperatureAt(hh, s.intPress);
}
double trovatest(const CalcState& s, double hh) {
    return s.estTable.temperatureAt(hh, s.estPress);
}

std::string controllatemp(const CalcState& s, double temp, float /*press*/,
                          std::string_view int_est) {
    // The bounds are those of the table as it stands, which after RiduciVettori is the
    // selected pressure's block; the pressure argument is therefore not needed.
    bool inside = false;
    if (int_est == "int")
        inside = s.intTable.inRange(temp);
    else if (int_est == "est")
        inside = s.estTable.inRange(temp);
    return inside ? "SI" : "NO";
}

}  // namespace zano
