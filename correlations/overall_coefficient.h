#pragma once

#include <string_view>

namespace zano {

struct CalcState;

// Overall coefficient, W/(m^2 K), referred to the outside surface of the internal pipe: films,
// wall conduction and both fouling factors in series.
double Coeffscambio(const CalcState& s, float diti, float deti, float dhe, float L, double tmi,
                    double tme);

// Under-relaxation weight 1/(NTUmin^3 + 2) of the Cmin stream (external on a tie).
float xxtt(const CalcState& s, float U, float a);

// Largest duty, kW, the two streams could exchange: the Cmin stream taken from its inlet to the
// other stream's inlet (countercurrent) or outlet (equicurrent) temperature, on table enthalpies.
float Qmax(const CalcState& s, double te1, double te2, double ti1, double ti2, float mme, float mmi,
           std::string_view contro_equi);

}  // namespace zano
