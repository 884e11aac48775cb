#include "solver/other_set.h"

#include "solver/driver.h"

namespace zano {

OtherSetFigures calculateOtherSet(CaseData entered, CalcState state, const ResultsData& own) {
    OtherSetFigures f;
    f.set = entered.correlations == CorrelationSet::Refined ? CorrelationSet::Classic
                                                            : CorrelationSet::Refined;
    f.lengthGiven = entered.LGiven;
    f.ownU = own.U;
    f.ownSought = entered.LGiven ? own.q : own.L;
    entered.correlations = f.set;
    const CalcOutcome out = calculate(entered, state);
    if (out.ok()) {
        f.U = out.results->U;
        f.sought = entered.LGiven ? out.results->q : out.results->L;
    } else {
        f.message = out.detail.empty() ? out.message : out.message + " (" + out.detail + ")";
    }
    return f;
}

}  // namespace zano
