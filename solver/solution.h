#pragma once

#include <string>

#include "properties/calc_state.h"
#include "records/case_data.h"

// The working values of one calculation, shared by the set-up and the two solution paths.
namespace zano {

// Every loop of one calculation draws on one budget of passes: the slowest sound cases need
// about 70 000 (the inner weight falls to 1/8002 near the NTU guard); a case that cycles
// between two values at the last rounding would otherwise never end.
class PassBudget {
  public:
    static constexpr long kPasses = 2'000'000;
    void spend();

  private:
    long used_ = 0;
};

struct Solution {
    Solution(CaseData& caseData, CalcState& state) : c(caseData), s(state) {}

    CaseData& c;
    CalcState& s;
    PassBudget budget;

    bool intHot = false;  // the internal fluid is the hot one: intTin > estTin strictly
    std::string controequi;
    float intPressure = 0, estPressure = 0;  // bar

    double intTin = 0, estTin = 0, intTout = 0, estTout = 0;  // degC
    double intHin = 0, estHin = 0, intHout = 0, estHout = 0;  // kJ/kg
    double tmi = 0, tme = 0;                                  // mean temperatures, degC

    float tolT = 0.001f;  // K
    float tolU = 0.01f;   // W/(m^2 K)

    float q = 0;      // kW
    float a = 0;      // m^2
    float U = 0;      // W/(m^2 K), relaxed
    float Ucalc = 0;  // W/(m^2 K), last computed
    float dTml = 0;   // K

    // The log-mean difference with the hot stream first.
    double orientedDtml() const;
    float coefficient();  // Coeffscambio at the current state, narrowed to single
    // The convergence test: |x - y| narrowed to single, above the tolerance.
    static bool differs(double x, double y, float tolerance);
    // A computed outlet temperature must lie in its fluid's table.
    void checkOutletInRange(double temperature, bool internal) const;
};

// num / den; a zero or non-finite quotient ends the calculation with `cause`.
double divide(double num, double den, const char* cause);

void solveLengthGiven(Solution& sol);    // finds the capacity
void solveCapacityGiven(Solution& sol);  // finds the length

}  // namespace zano
