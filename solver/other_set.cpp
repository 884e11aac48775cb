#include "solver/other_set.h"

#include "solver/driver.h"

namespace zano {

OtherSetFigures calculateOtherSet(CaseData entered, CalcState state, const ResultsData& own) {
    OtherSetFigures f;
    f.lengthGiven = entered.LGiven;
    f.ownU = own.U;
    f.ownSought = entered.LGiven ? own.q : own.L;
    const CorrelationSet chosen = entered.correlations;
    for (const CorrelationSet set : kCorrelationSets) {
        if (set == chosen) continue;
        OtherSetFigures::Other& o = f.others.emplace_back();
        o.set = entered.correlations = set;
        // Each set from the same state, as the chosen set had it.
        CalcState copy = state;
        const CalcOutcome out = calculate(entered, copy);
        if (out.ok()) {
            o.U = out.results->U;
            o.sought = entered.LGiven ? out.results->q : out.results->L;
        } else {
            o.message = out.detail.empty() ? out.message : out.message + " (" + out.detail + ")";
        }
    }
    return f;
}

}  // namespace zano
