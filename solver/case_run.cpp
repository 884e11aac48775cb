#include "solver/case_run.h"

#include <charconv>

#include "base/errors.h"
#include "base/number_text.h"
#include "solver/other_set.h"
#include "solver/temperature_profile.h"

namespace zano {
namespace {

// "the hairpins: ..." for a view of the results that could not be worked out.
std::string noteOf(const char* view, const CalcError& e) {
    return std::string(view) + ": " + (e.detail().empty() ? e.what() : e.detail());
}

// A single as a case's text that reads back as the same single: the flows found, given again.
std::string exactText(float v) {
    char buf[32];
    std::string s(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
    for (char& ch : s)
        if (ch == '.') ch = ',';
    return s;
}

// The leg of the hairpins the case sets; nullopt when it sets none.
std::optional<double> legOfHairpinsSet(const CaseData& c) {
    if (!hairpinsSet(c.hairpins)) return std::nullopt;
    const auto leg = hairpinLeg(c.hairpinLength);
    if (!leg) invalidData("The hairpins set need a hairpin length (Options)", "hairpinLength");
    return leg;
}

// With the length given, the hairpins set give it: their length stands for the one typed and is
// written back as found.
std::optional<FieldText> lengthOfHairpins(CaseData& c) {
    const auto leg = legOfHairpinsSet(c);
    if (!leg || !c.LGiven) return std::nullopt;
    c.L = formatDouble(*hairpinsSet(c.hairpins) * 2 * *leg);
    return FieldText{caseFieldNamed("L"), c.L};
}

// The capacity of `length` m of the exchanger with the flows and inlets the case found: the
// hairpins as built, rated.
float ratedCapacity(const CaseData& solved, const ResultsData& r, double length,
                    const DataFolder& data) {
    CaseData c = solved;
    c.intToutGiven = c.estToutGiven = false;
    c.LGiven = true;
    c.intPort = exactText(r.intPort);
    c.estPort = exactText(r.estPort);
    c.L = formatDouble(length);
    clearFoundFields(c);
    CalcState s;
    s.data = data;
    const CalcOutcome rated = calculate(c, s);
    if (!rated.ok()) invalidData("rated as built, " + rated.message + ": " + rated.detail);
    return rated.results->q;
}

// The hairpins that hold the exchanger (those set, else as many as its length needs) and how
// they compare with the length the duty needs.
Hairpins hairpinsBuilt(const CaseRun& run, double leg, const DataFolder& data) {
    const ResultsData& r = *run.out.results;
    Hairpins h = hairpinsFor(r.L, leg);
    if (const auto set = hairpinsSet(run.solved.hairpins)) h = {*set, *set * 2 * leg, {}, {}};
    h.overSurface = (h.providedLength / r.L - 1) * 100;
    // With the length given by the hairpins set, the case calculated is the one built.
    const bool built = run.solved.LGiven && hairpinsSet(run.solved.hairpins);
    h.ratedCapacity = built ? r.q : ratedCapacity(run.solved, r, h.providedLength, data);
    return h;
}

// Each view of the results is worked out on its own: one that cannot be is a note.
void addExtras(CaseRun& run, const CalcState& s, const RunOptions& options) {
    const ResultsData& r = *run.out.results;
    try {
        if (const auto leg = hairpinLeg(run.solved.hairpinLength))
            run.hairpins = hairpinsBuilt(run, *leg, s.data);
    } catch (const CalcError& e) {
        run.notes.push_back(noteOf("the hairpins", e));
    }
    if (run.hairpins && *run.hairpins->overSurface < -0.05)
        run.notes.push_back("the hairpins: the " + std::to_string(run.hairpins->count) +
                            " set give " + formatDouble(roundTo(-*run.hairpins->overSurface, 1)) +
                            " % less surface than the duty needs");
    try {
        if (options.profileSteps > 0) run.profile = temperatureProfile(s, r, options.profileSteps);
    } catch (const CalcError& e) {
        run.notes.push_back(noteOf("the temperature profile", e));
    }
    if (options.otherSet) run.otherSet = calculateOtherSet(run.entered, s, r);
}

CalcOutcome refused(const CalcError& e) {
    CalcOutcome out;
    out.message = e.what();
    out.detail = e.detail();
    out.field = e.field();
    return out;
}

}  // namespace

CaseRun runCase(const CaseData& c, const DataFolder& data, const RunOptions& options) {
    CaseRun run;
    try {
        run.entered = c;
        clearFoundFields(run.entered);
        std::optional<FieldText> built;
        try {
            built = lengthOfHairpins(run.entered);
        } catch (const CalcError& e) {
            run.out = refused(e);
            return run;
        }
        CalcState s;
        s.data = data;
        run.out = calculate(run.entered, s);
        if (built) run.out.written.insert(run.out.written.begin(), *built);
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
