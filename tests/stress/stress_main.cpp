// zano_stress: random cases through the whole calculation, each checked for a bounded time, an
// outcome that is results or one of the system's messages, and sound results.
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "properties/calc_state.h"
#include "properties/wall_materials.h"
#include "solver/driver.h"
#include "tests/stress/case_generator.h"
#include "tests/stress/result_checks.h"

namespace {

using Clock = std::chrono::steady_clock;

// A case that takes longer than kLimit seconds counts as broken; one that runs for kHang seconds
// stops the run as hung. The summary shows the first kShow failing cases.
constexpr double kLimit = 10, kHang = 120;
constexpr std::size_t kShow = 5;

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

// A broken check's kind: its text with each number as "#", so that cases count together.
std::string kind(const std::string& fault) {
    std::string k;
    for (std::size_t i = 0; i < fault.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(fault[i]))) {
            k += fault[i];
            continue;
        }
        while (i + 1 < fault.size() && std::strchr("0123456789.e+-", fault[i + 1])) ++i;
        k += '#';
    }
    return k;
}

// The run's findings: a count per kind of broken check and the first failing cases, each with
// what reruns it alone.
struct Tally {
    std::map<std::string, long> byCheck;
    std::vector<std::string> failing;
    long broken = 0;

    void add(long i, const Options& o, const zano::stress::GeneratedCase& g,
             const zano::CalcOutcome& out, const std::vector<std::string>& faults) {
        if (faults.empty()) return;
        ++broken;
        for (const auto& f : faults) ++byCheck[kind(f)];
        if (failing.size() >= kShow) return;
        std::string line = "--seed " + std::to_string(o.seed) + " --only " + std::to_string(i) +
                           " [" + zano::stress::defectName(g.defect) + "] -> " +
                           (out.ok() ? "results" : out.message);
        for (const auto& f : faults) line += "\n    " + f;
        failing.push_back(line);
    }

    int print(const Options& o) const {
        for (const auto& [what, n] : byCheck) std::printf("  %8ld  %s\n", n, what.c_str());
        for (const auto& f : failing) std::printf("  %s\n", f.c_str());
        std::printf("zano_stress: %ld cases, seed %llu: %ld passed, %ld failed\n", o.cases, o.seed,
                    o.cases - broken, broken);
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
        std::string why;
        std::vector<std::string> faults = stress::check(fluids, g.c, out, why);
        if (i == o.only) return showOne(g, out, secs, faults);
        if (secs > kLimit) faults.push_back("took " + std::to_string(secs) + " s");
        tally.add(i, o, g, out, faults);
    }
    return tally.print(o);
}
