#pragma once

#include <array>
#include <string>

#include "properties/calc_state.h"
#include "records/case_data.h"
#include "records/case_fields.h"

// The working values of one calculation, shared by the set-up and the two solution paths.
namespace zano {

// A closed heat balance: each stream's duty by its table enthalpies within 0.5 % of the capacity.
inline constexpr double kBalanceTolerance = 0.005;

// How far a stream's duty, m (h_in - h_out), misses the capacity q, as a fraction of q.
double balanceMiss(float q, const Stream& st);

// "the heat balance does not close: ..." for a miss (a fraction) of the stream whose
// temperature changes too little for its table; `finest` when tighter tolerances were tried.
[[noreturn]] void balanceDoesNotClose(double miss, const Stream& st, bool finest);

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
    Solution(const CaseData& caseData, CalcState& state, std::vector<FieldText>& found)
        : c(caseData), s(state), written(found) {}

    const CaseData& c;
    CalcState& s;
    std::vector<FieldText>& written;  // what the solution found for the case's output fields
    PassBudget budget;

    // The stream whose outlet temperature the case gives (the other's mass flow is given
    // too); none when both mass flows are given.
    Stream* given = nullptr;
    // The stream whose outlet temperature and mass flow give the capacity, both mass flows
    // given; none unless the case asks for the duty from a stream.
    Stream* dutyFrom = nullptr;
    Arrangement controequi = Arrangement::Countercurrent;
    // Each stream's table offers several pressures, so the one chosen is the stream's own
    // (indexed by Side).
    bool choosesPressure[2] = {false, false};

    float tolT = 0.001f;                   // K
    static constexpr float kTolU = 0.01f;  // W/(m^2 K)
    float tolU = kTolU;                    // tightened where a heat balance does not close

    float q = 0;      // kW
    float a = 0;      // m^2
    float U = 0;      // W/(m^2 K), relaxed
    float Ucalc = 0;  // W/(m^2 K), last computed
    float dTml = 0;   // K

    // The stream whose outlet temperature the case gives, by either mode.
    const Stream* outletGiven() const { return given ? given : dutyFrom; }

    std::array<Stream*, 2> streams() { return {&s.internal, &s.external}; }
    std::array<const Stream*, 2> streams() const { return {&s.internal, &s.external}; }
    Stream& in() { return s.internal; }
    Stream& est() { return s.external; }
    // The stream paired with st.
    Stream& other(const Stream& st) { return st.side == Side::Internal ? s.external : s.internal; }
    const Stream& other(const Stream& st) const {
        return st.side == Side::Internal ? s.external : s.internal;
    }

    // The log-mean difference with the hot stream first.
    double orientedDtml() const;
    float logMean() const;                    // the same, narrowed to single
    float exchangerCapacity(float dT) const;  // q = U a dT / 1000, kW
    float coefficient() const;  // the overall coefficient at the current state, narrowed to single
    // Both outlets (enthalpy and temperature) when each stream carries the duty, kW, both mass
    // flows given.
    void outletsCarrying(float duty);
    // Properties at the mean of a stream's inlet and outlet.
    static void takeMeanProperties(Stream& st);
    // The convergence test: |x - y| narrowed to single, above the tolerance.
    static bool differs(double x, double y, float tolerance);
    // A converged coefficient must be well above its tolerance.
    void checkResolvable() const;
    // A computed outlet temperature must lie in its fluid's table.
    void checkOutletInRange(const Stream& st) const;
    // Each stream's duty by its table enthalpies at its inlet and outlet, m |h_in - h(T_out)|,
    // carries the capacity within kBalanceTolerance; otherwise the outlet found cannot be told
    // from the inlet by the table and the case is refused.
    void checkBalanceCloses() const;

    // The computed values for the case's output fields, rounded as the boxes show them.
    void writeBack(std::string CaseData::*member, std::string text);
    void writeBackFlow(const Stream& st);
    void writeBackOutlet(const Stream& st);
    void writeBackCapacity();
    void writeBackLength();
};

// The texts that name one stream's quantities in the causes of "Invalid data".
struct StreamTexts {
    const char* massFlow;           // "the internal mass flow"
    const char* noMassFlow;         // "the internal mass flow is 0"
    const char* outlet;             // "the internal outlet temperature"
    const char* noDutyForFlow;      // no enthalpy change to carry the duty (length given)
    const char* noCapacityForFlow;  // the same with the capacity given
};
const StreamTexts& textsOf(const Stream& st);

// num / den; a zero or non-finite quotient ends the calculation with `cause`.
double divide(double num, double den, const char* cause);

void solveLengthGiven(Solution& sol);    // finds the capacity, on the surface a
void solveCapacityGiven(Solution& sol);  // finds the length

}  // namespace zano
