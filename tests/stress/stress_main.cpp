// zano_stress: random cases through the whole calculation, each checked for a bounded time, an
// outcome that is results or one of the system's messages, and sound results.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "base/errors.h"
#include "properties/calc_state.h"
#include "properties/wall_materials.h"
#include "solver/driver.h"
#include "tests/stress/case_generator.h"
#include "tests/stress/result_checks.h"

namespace {

using Clock = std::chrono::steady_clock;

// A case that takes longer than kLimit seconds counts as broken; one that runs for kHang seconds
// stops the run as hung. Each list of the summary shows its first kShow cases.
constexpr double kLimit = 10, kHang = 120;
constexpr std::size_t kShow = 20;

struct Options {
    long cases = 1000;
    unsigned long long seed = 1;
    long only = -1;  // calculate only this case, in detail
};

// A count or seed of digits alone: a mistyped one ("-1", "12x", beyond 64 bits) would quietly
// draw other cases than those asked for, and a failure could not be repeated.
template <typename N>
bool number(const char* text, N& n) {
    char* end = nullptr;
    errno = 0;
    n = static_cast<N>(std::strtoull(text, &end, 10));
    return *text >= '0' && *text <= '9' && *end == '\0' && errno != ERANGE;
}

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (!(a == "--cases"  ? number(argv[i + 1], o.cases)
              : a == "--seed" ? number(argv[i + 1], o.seed)
              : a == "--only" ? number(argv[i + 1], o.only)
                              : false))
            return false;
    }
    return argc % 2 == 1;
}

// Ends the run when one case never finishes, naming it: a loop without end must not pass
// silently as a slow test. The alarm's handler may only write what was made ready before.
char hungCase[4096];
std::size_t hungLength = 0;

void onHang(int) {
    (void)!::write(STDERR_FILENO, hungCase, hungLength);
    std::_Exit(3);
}

void watch(long index, double seconds, const std::string& what) {
    hungLength =
        std::snprintf(hungCase, sizeof hungCase, "HUNG: case %ld runs for more than %.0f s: %s\n",
                      index, seconds, what.c_str());
    hungLength = std::min(hungLength, sizeof hungCase - 1);
    std::signal(SIGALRM, onHang);
    ::alarm(std::max(1u, static_cast<unsigned>(std::ceil(seconds))));
}

// The case asked for with --only, in detail: its outcome, its figures and every broken check.
int showOne(const zano::stress::GeneratedCase& g, const zano::CalcOutcome& out, double secs,
            const std::vector<std::string>& faults) {
    std::printf("%s\n-> %s %s (%.3f s)\n", zano::stress::describe(g.c).c_str(),
                out.ok() ? "results" : out.message.c_str(), out.detail.c_str(), secs);
    if (out.ok()) {
        const zano::ResultsData& r = *out.results;
        std::printf(
            "q %.9g a %.9g L %.9g U %.9g intTout %.9g estTout %.9g intPort %.9g "
            "estPort %.9g Rei %.6g Ree %.6g\n",
            r.q, r.a, r.L, r.U, r.intTout, r.estTout, r.intPort, r.estPort, r.Rei, r.Ree);
    }
    for (const auto& f : faults) std::printf("broken: %s\n", f.c_str());
    return faults.empty() ? 0 : 1;
}

// What the run found, case by case, and its summary.
struct Tally {
    std::map<std::string, long> outcomes;
    std::map<std::string, std::map<std::string, long>> byDefect;
    std::vector<std::string> brokenCases, notConverged, explainedCases;
    long broken = 0;
    double slowest = 0, worstDuty = 0, totalSeconds = 0;
    std::string slowestCase, worstDutyCase;

    void add(long i, const zano::stress::GeneratedCase& g, const zano::CalcOutcome& out,
             double secs, double duty, const std::string& why,
             const std::vector<std::string>& faults) {
        const std::string outcome = out.ok() ? "results" : out.message;
        ++outcomes[outcome];
        ++byDefect[zano::stress::defectName(g.defect)][outcome];
        totalSeconds += secs;
        const std::string line = "case " + std::to_string(i) + " [" +
                                 zano::stress::defectName(g.defect) +
                                 "]: " + zano::stress::describe(g.c);
        if (secs > slowest) slowest = secs, slowestCase = line + " -> " + outcome;
        if (duty > worstDuty) worstDuty = duty, worstDutyCase = line;
        if (out.message == zano::msg::kNotConverged) notConverged.push_back(line);
        if (!why.empty()) explainedCases.push_back(line + ": " + why);
        if (faults.empty()) return;
        ++broken;
        std::string all;
        for (const auto& f : faults) all += "\n    " + f;
        brokenCases.push_back(line + " -> " + outcome + ": " + out.detail + all);
    }

    int print(const Options& o) const {
        std::printf("zano_stress: %ld cases, seed %llu, %.1f s in the calculations\n", o.cases,
                    o.seed, totalSeconds);
        for (const auto& [what, n] : outcomes) std::printf("  %8ld  %s\n", n, what.c_str());
        std::printf("by kind of case:\n");
        for (const auto& [defect, counts] : byDefect) {
            std::printf("  %s:", defect.c_str());
            for (const auto& [what, n] : counts) std::printf(" %s %ld;", what.c_str(), n);
            std::printf("\n");
        }
        std::printf("slowest case: %.3f s, %s\n", slowest, slowestCase.c_str());
        std::printf("largest duty mismatch: %.3g of its tolerance, %s\n", worstDuty,
                    worstDutyCase.c_str());
        const auto list = [&](const char* title, const std::vector<std::string>& v) {
            std::printf("%s: %zu\n", title, v.size());
            for (std::size_t k = 0; k < v.size() && k < kShow; ++k)
                std::printf("  %s\n", v[k].c_str());
        };
        list("\"Calculation did not converge\"", notConverged);
        list("results not judged", explainedCases);
        list("broken checks", brokenCases);
        std::printf("%ld passed, %ld failed\n", o.cases - broken, broken);
        return broken == 0 ? 0 : 1;
    }
};

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr, "usage: zano_stress [--cases N] [--seed S] [--only CASE]\n");
        return 2;
    }
    using namespace zano;
    const std::string dataDir = ZANO_SOURCE_DIR "/data";
    const stress::Fluids fluids = stress::Fluids::load(dataDir);
    stress::CaseGenerator gen(fluids, o.seed);
    // One calculation state for the whole run, as the main window keeps one.
    CalcState state;
    state.data.dataDir = dataDir;
    dbmateriale(state);
    Tally tally;
    for (long i = 0; i < o.cases; ++i) {
        const stress::GeneratedCase g = gen.next();
        if (o.only >= 0 && i != o.only) continue;
        watch(i, kHang, stress::describe(g.c));
        const auto t0 = Clock::now();
        const CalcOutcome out = calculate(g.c, state);
        const double secs = std::chrono::duration<double>(Clock::now() - t0).count();
        ::alarm(0);
        double duty = 0;
        std::string why;
        std::vector<std::string> faults = stress::check(fluids, g.c, out, duty, why, i == o.only);
        if (i == o.only) return showOne(g, out, secs, faults);
        if (secs > kLimit) faults.push_back("took " + std::to_string(secs) + " s");
        tally.add(i, g, out, secs, duty, why, faults);
    }
    return tally.print(o);
}
