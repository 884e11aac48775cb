#include "solver/design_search.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <system_error>
#include <thread>
#include <utility>

#include "base/errors.h"
#include "base/number_text.h"
#include "properties/fluid_names.h"
#include "solver/case_run.h"
#include "solver/sides.h"

namespace zano {
namespace {

// What the run could not do, as its message and cause.
std::string failureText(const CaseRun& run) {
    std::string text = run.out.message;
    if (!run.out.detail.empty()) text += ": " + run.out.detail;
    return text;
}

// The case with its fluids in each other's pipes: each stream keeps its inlet, its flow or
// outlet, its fouling and its pressure, and what of it the case gives or finds.
void swapSides(CaseData& c) {
    const SideFields &in = kSideFields[0], &est = kSideFields[1];
    for (auto m : {std::pair{in.fluid, est.fluid},
                   {in.pressure, est.pressure},
                   {in.inlet, est.inlet},
                   {in.outlet, est.outlet},
                   {in.flow, est.flow},
                   {in.fouling, est.fouling}})
        std::swap(c.*m.first, c.*m.second);
    std::swap(c.intToutGiven, c.estToutGiven);
}

// Pipes of the standards and schedules chosen, in catalogue order.
std::vector<const PipeSize*> pipesChosen(const PipeCatalogue& pipes, const DesignChoices& ch) {
    const auto has = [](const std::vector<std::string>& list, const std::string& s) {
        return std::find(list.begin(), list.end(), s) != list.end();
    };
    std::vector<const PipeSize*> out;
    for (const PipeSize& p : pipes) {
        const std::string schedule = scheduleOf(p.designation);
        if (!has(ch.standards, p.standard)) continue;
        if (!ch.schedules.empty() && !schedule.empty() && !has(ch.schedules, schedule)) continue;
        out.push_back(&p);
    }
    return out;
}

// An annulus that can be built: the outer pipe's bore clears the inner pipe by the gap on each
// side, and is not so wide that the annulus is a pipe of its own.
bool annulusFits(const PipeSize& inner, const PipeSize& outer, const DesignChoices& ch) {
    const double bore = outer.od - 2 * outer.wall;
    return bore >= inner.od + 2 * ch.minGap && bore <= ch.maxBoreRatio * inner.od;
}

// The arrangements: both streams in series, then for each P the inner pipe's stream, the
// annulus's and both in P branches.
std::vector<std::pair<int, int>> arrangements(const std::vector<int>& branches) {
    std::vector<std::pair<int, int>> out{{1, 1}};
    for (int P : branches)
        if (P > 1) out.insert(out.end(), {{P, 1}, {1, P}, {P, P}});
    return out;
}

std::string branchText(int P) {
    return P > 1 ? std::to_string(P) : std::string();
}

// The candidate's case: the process with its fluids where the candidate puts them, its pipes,
// legs, branches and each stream's allowance; the hairpins left for the calculation to find,
// the fittings at the pipes' own sizes.
CaseData candidateCase(const CaseData& process, const Candidate& k, const DesignLimits& limits,
                       const PipeSize& inner, const PipeSize& outer) {
    CaseData c = process;
    if (k.swapped) swapSides(c);
    c.deti = formatDouble(inner.od), c.spi = formatDouble(inner.wall);
    c.dete = formatDouble(outer.od), c.spe = formatDouble(outer.wall);
    c.hairpinLength = formatDouble(k.leg);
    c.hairpins.clear();
    c.intBranches = branchText(k.intBranches), c.estBranches = branchText(k.estBranches);
    c.bendRadius.clear(), c.intNozzle.clear(), c.estNozzle.clear();
    c.intAllowedDp = formatDouble(limits.allowedDp[k.swapped ? 1 : 0]);
    c.estAllowedDp = formatDouble(limits.allowedDp[k.swapped ? 0 : 1]);
    return c;
}

// The limits a calculated candidate breaks, each pipe's against its stream's.
void judgeLimits(const Candidate& k, const DesignLimits& limits, CandidateFigures& f) {
    for (int pipe : {0, 1}) {
        const int stream = k.swapped ? 1 - pipe : pipe;
        const Span& v = limits.velocity[stream];
        if (f.dp[pipe] > f.allowedDp[pipe])
            f.broken.push_back({BrokenLimit::PressureDrop, pipe, f.dp[pipe], f.allowedDp[pipe]});
        if (f.velocity[pipe] < v.low)
            f.broken.push_back({BrokenLimit::VelocityLow, pipe, f.velocity[pipe], v.low});
        if (f.velocity[pipe] > v.high)
            f.broken.push_back({BrokenLimit::VelocityHigh, pipe, f.velocity[pipe], v.high});
    }
    if (!f.overSurface)
        f.broken.push_back({BrokenLimit::OverSurfaceUnknown, 0, 0, limits.minOverSurface});
    else if (*f.overSurface < limits.minOverSurface)
        f.broken.push_back({BrokenLimit::OverSurface, 0, *f.overSurface, limits.minOverSurface});
}

// The figures of a run that has its hairpins and both pressure drops as built.
void takeFigures(const CaseRun& run, CandidateFigures& f) {
    const ResultsData& r = *run.out.results;
    const Hairpins& h = *run.hairpins;
    f.hairpins = h.count;
    f.surface = double(r.a) / double(r.L) * h.providedLength;
    f.overSurface = h.overSurface;
    f.U = r.U;
    for (int pipe : {0, 1}) {
        const BuiltDrop& d = pipe == 0 ? *h.intDrop : *h.estDrop;
        f.dp[pipe] = d.total;
        f.allowedDp[pipe] = d.allowable.value_or(std::numeric_limits<double>::infinity());
        f.velocity[pipe] = d.velocity;
        f.dpRatio = std::max(f.dpRatio, d.total / f.allowedDp[pipe]);
    }
}

// The pipes of each side that a search takes, as the catalogue lists them.
struct PipeLists {
    std::vector<const PipeSize*> inner, outer;
};

PipeLists pipeLists(const PipeCatalogue& pipes, const DesignChoices& ch) {
    PipeLists lists;
    for (const PipeSize* p : pipesChosen(pipes, ch)) {
        if (p->od >= ch.innerOd.low && p->od <= ch.innerOd.high) lists.inner.push_back(p);
        lists.outer.push_back(p);
    }
    return lists;
}

}  // namespace

std::string scheduleOf(const std::string& designation) {
    for (const char* mark : {" Sch ", " Type "})
        if (const auto at = designation.find(mark); at != std::string::npos)
            return designation.substr(at + 1);
    const auto last = designation.rfind(' ');
    const std::string word = last == std::string::npos ? "" : designation.substr(last + 1);
    return word == "XS" || word == "XXS" ? word : std::string();
}

CaseData designProcess(const CaseData& c, const DataFolder& data) {
    CaseData process = c;
    // A duty the case does not state (the length given, or the duty from a stream's outlet,
    // which a candidate with the fluids swapped would take from the wrong stream) is the
    // capacity the case calculates as it stands.
    if (c.LGiven || c.dutyFrom != DutyFrom::None) {
        const CaseRun run = runCase(c, data, {});
        if (!run.ok()) invalidData("the case as it stands: " + failureText(run));
        process = run.solved;
        process.LGiven = false;
        process.dutyFrom = DutyFrom::None;
    }
    process.hairpins.clear();
    process.intBranches.clear(), process.estBranches.clear();
    return process;
}

DesignLimits defaultLimits(const CaseData& process) {
    DesignLimits limits;
    for (int s : {0, 1}) {
        const std::string& allowed = s == 0 ? process.intAllowedDp : process.estAllowedDp;
        // Kern's usual allowances: 10 psi for a liquid, 2 psi for a gas.
        const bool gas = isGas(s == 0 ? process.intfluid : process.estfluid);
        limits.allowedDp[s] = parseDouble(allowed).value_or(gas ? 14 : 70);
        limits.velocity[s] = gas ? Span{3, 30} : Span{0.3, 3};
    }
    return limits;
}

DesignChoices defaultChoices(const CaseData& process, const PipeCatalogue& pipes) {
    DesignChoices ch;
    const auto add = [](std::vector<std::string>& list, const std::string& s) {
        if (std::find(list.begin(), list.end(), s) == list.end()) list.push_back(s);
    };
    for (auto [od, wall] :
         {std::pair{&CaseData::deti, &CaseData::spi}, std::pair{&CaseData::dete, &CaseData::spe}}) {
        const auto found = pipesMatching(pipes, process.*od, process.*wall);
        if (found.empty()) continue;
        add(ch.standards, found.front()->standard);
        if (const std::string s = scheduleOf(found.front()->designation); !s.empty())
            add(ch.schedules, s);
    }
    if (ch.standards.empty()) ch.standards = {"ASME B36.10M"}, ch.schedules = {"Sch 40"};
    const double od = parseDouble(process.deti).value_or(0);
    ch.innerOd = od > 0 ? Span{od / 2, od * 2} : Span{20, 120};
    ch.legs = {1.5, 3, 4.5, 6};
    if (const auto leg = parseDouble(process.hairpinLength);
        leg && std::find(ch.legs.begin(), ch.legs.end(), *leg) == ch.legs.end()) {
        ch.legs.push_back(*leg);
        std::sort(ch.legs.begin(), ch.legs.end());
    }
    return ch;
}

std::vector<Candidate> designCandidates(const CaseData& process, const PipeCatalogue& pipes,
                                        const DesignChoices& ch, const DesignLimits& limits) {
    const PipeLists lists = pipeLists(pipes, ch);
    std::vector<Candidate> out;
    for (const PipeSize* inner : lists.inner)
        for (const PipeSize* outer : lists.outer) {
            if (!annulusFits(*inner, *outer, ch)) continue;
            for (bool swapped : {false, true}) {
                if (!(swapped ? ch.swapped : ch.asGiven)) continue;
                for (const auto& [pi, pe] : arrangements(ch.branches))
                    for (double leg : ch.legs) {
                        Candidate k{out.size(),
                                    inner->standard,
                                    inner->designation,
                                    outer->standard,
                                    outer->designation,
                                    swapped,
                                    leg,
                                    pi,
                                    pe,
                                    {}};
                        k.c = candidateCase(process, k, limits, *inner, *outer);
                        out.push_back(std::move(k));
                    }
            }
        }
    return out;
}

CandidateFigures judgeCandidate(const Candidate& k, const DesignLimits& limits,
                                const DataFolder& data) {
    CandidateFigures f;
    RunOptions options;
    options.checks = false;
    const CaseRun run = runCase(k.c, data, options);
    if (!run.ok()) {
        f.message = failureText(run);
        return f;
    }
    if (!run.hairpins || !run.hairpins->intDrop || !run.hairpins->estDrop) {
        f.message = run.notes.empty() ? "no hairpins as built" : run.notes.front();
        return f;
    }
    f.calculated = true;
    takeFigures(run, f);
    judgeLimits(k, limits, f);
    return f;
}

double criterionValue(const CandidateFigures& f, Criterion criterion) {
    switch (criterion) {
        case Criterion::Hairpins:
            return f.hairpins;
        case Criterion::PressureDrop:
            return f.dpRatio;
        case Criterion::OverSurface:
            // The most reserve first.
            return f.overSurface ? -*f.overSurface : std::numeric_limits<double>::infinity();
        default:
            return f.surface;
    }
}

namespace {

// Better first: calculated before failed, then by the criterion, the surface and the key, so
// that the order is the same however the candidates were shared out.
bool ranksBefore(const Judged& a, const Judged& b, Criterion criterion) {
    const CandidateFigures &fa = a.figures, &fb = b.figures;
    if (fa.calculated != fb.calculated) return fa.calculated;
    if (fa.calculated) {
        const double va = criterionValue(fa, criterion), vb = criterionValue(fb, criterion);
        if (va != vb) return va < vb;
        if (fa.surface != fb.surface) return fa.surface < fb.surface;
    }
    return a.candidate.key < b.candidate.key;
}

// Each thread takes the next candidate not yet taken until none is left or the search is
// cancelled; every candidate's figures go to its own slot.
void runShare(const std::vector<Candidate>& cands, std::vector<CandidateFigures>& figures,
              std::vector<char>& judged, std::atomic<std::size_t>& next,
              std::atomic<std::size_t>& done, const DesignLimits& limits, const DataFolder& data,
              const SearchControl& control) {
    for (;;) {
        if (control.cancel && control.cancel->load()) return;
        const std::size_t i = next++;
        if (i >= cands.size()) return;
        try {
            figures[i] = judgeCandidate(cands[i], limits, data);
        } catch (...) {  // memory exhausted, say: the candidate ends in the message
            figures[i] = {};
            figures[i].message = msg::kInvalidData;
        }
        judged[i] = 1;
        const std::size_t n = ++done;
        if (control.progress) control.progress(n, cands.size());
    }
}

}  // namespace

DesignSearch searchDesigns(const CaseData& process, const DataFolder& folder,
                           const DesignLimits& limits, const DesignChoices& choices,
                           Criterion criterion, const SearchControl& control) {
    DesignSearch search;
    search.process = process;
    // The tables as they stand when the search starts, for every candidate.
    const DataFolder data = folder.pinned();
    std::vector<Candidate> cands = designCandidates(process, data.pipeCatalogue(), choices, limits);
    search.total = cands.size();
    std::vector<CandidateFigures> figures(cands.size());
    std::vector<char> judged(cands.size(), 0);
    std::atomic<std::size_t> next{0}, done{0};
    const unsigned threads =
        std::max(1u, control.threads ? control.threads : std::thread::hardware_concurrency());
    const auto share = [&] { runShare(cands, figures, judged, next, done, limits, data, control); };
    std::vector<std::thread> pool;
    try {
        for (unsigned t = 1; t < threads; ++t) pool.emplace_back(share);
    } catch (const std::system_error&) {
        // No more threads to be had: those started share the candidates.
    }
    share();
    for (std::thread& t : pool) t.join();
    search.done = done;
    search.cancelled = done < cands.size();
    std::vector<Judged> failed;
    for (std::size_t i = 0; i < cands.size(); ++i) {
        if (!judged[i]) continue;
        auto& list = figures[i].feasible() ? search.feasible : failed;
        list.push_back({std::move(cands[i]), std::move(figures[i])});
    }
    const auto order = [&](const Judged& a, const Judged& b) {
        return ranksBefore(a, b, criterion);
    };
    std::sort(search.feasible.begin(), search.feasible.end(), order);
    const std::size_t shown = std::min(control.failedShown, failed.size());
    std::partial_sort(failed.begin(), failed.begin() + shown, failed.end(), order);
    failed.resize(shown);
    search.nearest = std::move(failed);
    return search;
}

}  // namespace zano
