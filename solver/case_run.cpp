#include "solver/case_run.h"

#include "base/errors.h"
#include "solver/other_set.h"
#include "solver/temperature_profile.h"

namespace zano {
namespace {

// "the hairpins: ..." for a view of the results that could not be worked out.
std::string noteOf(const char* view, const CalcError& e) {
    return std::string(view) + ": " + (e.detail().empty() ? e.what() : e.detail());
}

// Each view of the results is worked out on its own: one that cannot be is a note.
void addExtras(CaseRun& run, const CalcState& s, const RunOptions& options) {
    const ResultsData& r = *run.out.results;
    try {
        if (const auto leg = hairpinLeg(run.solved.hairpinLength))
            run.hairpins = hairpinsFor(r.L, *leg);
    } catch (const CalcError& e) {
        run.notes.push_back(noteOf("the hairpins", e));
    }
    try {
        if (options.profileSteps > 0) run.profile = temperatureProfile(s, r, options.profileSteps);
    } catch (const CalcError& e) {
        run.notes.push_back(noteOf("the temperature profile", e));
    }
    if (options.otherSet) run.otherSet = calculateOtherSet(run.entered, s, r);
}

}  // namespace

CaseRun runCase(const CaseData& c, const DataFolder& data, const RunOptions& options) {
    CaseRun run;
    try {
        run.entered = c;
        clearFoundFields(run.entered);
        CalcState s;
        s.data = data;
        run.out = calculate(run.entered, s);
        run.solved = run.entered;
        applyTexts(run.solved, run.out.written);
        if (run.ok()) addExtras(run, s, options);
    } catch (...) {
        // Memory exhausted by a long profile, say: the case ends like one inside the checks.
        run.out = {};
        run.out.message = msg::kInvalidData;
        run.out.detail = calculationFaultDetail();
    }
    return run;
}

}  // namespace zano
