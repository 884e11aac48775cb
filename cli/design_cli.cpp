#include "cli/design_cli.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "base/errors.h"
#include "base/number_text.h"
#include "formats/case_file.h"
#include "formats/units.h"
#include "records/case_fields.h"
#include "records/design_margins.h"
#include "solver/design_list.h"
#include "solver/design_search.h"

namespace zano::cli {

const char* const kDesignUsage = R"(
design search (zano-calc --design CASE.zan [options]):
  Every hairpin exchanger of a range of catalogue pipes that does the case's duty, each
  calculated as a case of its own with the capacity given (a case with the length given is
  calculated first, and its capacity is the duty), judged against the limits and ranked.
  Limits name the streams by the case's sides: "int" is the fluid the case has in its inner
  pipe, wherever a candidate puts it. With --units us the pressure drops, velocities,
  diameters, gap and legs are typed, and the list written, in psi, ft/s, in and ft.
  --int-dp KPA, --est-dp KPA        allowable pressure drop as built of each stream
                      (default: the case's allowance, else 70 kPa for a liquid and 14 kPa
                      for a gas, Kern's 10 psi and 2 psi)
  --int-velocity MIN:MAX, --est-velocity MIN:MAX   m/s in the pipe, each branch's flow
                      (default: 0,3:3 for a liquid, 3:30 for a gas)
  --min-over-surface PCT            the hairpins' surface beyond the duty's (default 0)
  --standard NAME     a standard of the pipe catalogue, repeatable (default: those of the
                      case's pipes, else "ASME B36.10M")
  --schedule NAME     "Sch 40", "XXS", "Type L", ..., repeatable (default: those of the
                      case's pipes, else "Sch 40"); tubes made in one wall a size are taken
  --inner-od MIN:MAX  mm, the inner pipe's outside diameter (default: half to twice the
                      case's)
  --gap MM            the annulus's radial gap at least (default 3)
  --bore-ratio R      the outer pipe's bore at most R times the inner pipe's outside
                      diameter (default 2)
  --leg M             a leg length in m, repeatable (default: 1,5, 3, 4,5 and 6 and the
                      case's hairpin length)
  --branches P        both streams in series, and one or both in P parallel branches;
                      repeatable (default 2)
  --allocation A      "given", "swapped" or "both" fluids' allocations (default both)
  --rank C            "surface" (as built, the default), "hairpins", "dp" (the larger ratio
                      of pressure drop to allowance) or "over-surface" (the most first); ties
                      by the surface, then by the order of enumeration
  --failed N          how many of the nearest failures to list (default 20)
  --threads N         (default: the machine's cores)
  --design-pick N --out FILE.zan   write candidate N of the list as a case file, ready to
                      calculate, instead of printing the list
  --json, --csv, --data DIR, --set NAME=VALUE, --correlations SET  as for a calculation
  --units si|us, --decimal comma|point   as for a calculation; the limits above are read in
                      the units chosen (--units us --int-dp 10: 10 psi), the case and --set
                      stay in SI
)";

namespace {

struct DesignArgs {
    std::string file;
    std::filesystem::path dataDir;
    bool json = false, csv = false;
    std::vector<std::pair<std::string, std::string>> sets;
    std::optional<CorrelationSet> correlations;
    std::optional<double> dp[2], minOverSurface, gap, boreRatio;
    std::optional<Span> velocity[2], innerOd;
    std::vector<std::string> standards, schedules;
    std::vector<double> legs;
    std::vector<int> branches;
    std::string allocation = "both";
    Criterion criterion = Criterion::Surface;
    std::size_t failed = 20;
    unsigned threads = 0;
    std::optional<std::size_t> pick;
    std::string out;
    Units units;  // --units, --decimal: of the limits typed and of the list
};

// What an option reader made of an option: not one of its own, read, or a bad value.
enum class Read { NotMine, Ok, Bad };

Read bad(const std::string& arg, const char* what) {
    std::fprintf(stderr, "zano-calc: %s needs %s\n", arg.c_str(), what);
    return Read::Bad;
}

std::optional<Span> spanOf(const std::string& v) {
    const auto colon = v.find(':');
    if (colon == std::string::npos) return std::nullopt;
    const auto lo = parseDouble(v.substr(0, colon)), hi = parseDouble(v.substr(colon + 1));
    if (!lo || !hi || *lo < 0 || *hi < *lo) return std::nullopt;
    return Span{*lo, *hi};
}

std::optional<double> positive(const std::string& v, double most) {
    const auto x = parseDouble(v);
    return x && *x >= 0 && *x <= most ? x : std::nullopt;
}

// A measure typed in the units chosen, as SI, when it lies in [least, most] (SI).
std::optional<double> measure(const std::string& v, Quantity q, double least, double most,
                              const Units& u) {
    const auto x = parseDouble(v);
    const double si = x ? toSi(q, *x, u.system) : 0;
    return x && si >= least && si <= most ? std::optional<double>(si) : std::nullopt;
}

// "MIN:MAX" typed in the units chosen, as SI.
std::optional<Span> spanIn(const std::string& v, Quantity q, const Units& u) {
    const auto s = spanOf(v);
    if (!s) return s;
    return Span{toSi(q, s->low, u.system), toSi(q, s->high, u.system)};
}

// What a measure's option needs: "kPa, 0 to 100000", in the units chosen.
std::string rangeText(Quantity q, double least, double most, const Units& u) {
    return std::string(unitText(q, u.system)) + ", " + shownGeneral(q, least, u) + " to " +
           shownGeneral(q, most, u);
}

std::optional<std::size_t> whole(const std::string& v, double least, double most) {
    const auto x = parseDouble(v);
    if (!x || *x < least || *x > most || *x != std::floor(*x)) return std::nullopt;
    return static_cast<std::size_t>(*x);
}

// The options with a number or a range; false, said on stderr, for a bad value.
Read readMeasure(const std::string& a, const std::string& v, DesignArgs& d) {
    using Q = Quantity;
    const Units& u = d.units;
    const auto in = [&u](Q q) { return "MIN:MAX in " + std::string(unitText(q, u.system)); };
    if (a == "--int-dp" || a == "--est-dp") {
        if (!(d.dp[a == "--est-dp"] = measure(v, Q::PressureDrop, 0, kMaxAllowedDrop, u)))
            return bad(a, rangeText(Q::PressureDrop, 0, kMaxAllowedDrop, u).c_str());
    } else if (a == "--int-velocity" || a == "--est-velocity") {
        if (!(d.velocity[a == "--est-velocity"] = spanIn(v, Q::Velocity, u)))
            return bad(a, in(Q::Velocity).c_str());
    } else if (a == "--inner-od") {
        if (!(d.innerOd = spanIn(v, Q::Size, u))) return bad(a, in(Q::Size).c_str());
    } else if (a == "--min-over-surface") {
        if (!(d.minOverSurface = parseDouble(v))) return bad(a, "a number of %");
    } else if (a == "--gap") {
        if (!(d.gap = measure(v, Q::Size, 0, 1000, u)))
            return bad(a, rangeText(Q::Size, 0, 1000, u).c_str());
    } else if (a == "--bore-ratio") {
        if (!(d.boreRatio = positive(v, 100))) return bad(a, "a ratio, 0 to 100");
    } else if (a == "--leg") {
        const auto leg = measure(v, Q::Length, kMinHairpinLength, kMaxHairpinLength, u);
        if (!leg)
            return bad(a, ("a leg length of " + shownGeneral(Q::Length, kMinHairpinLength, u) +
                           " to " + shownGeneral(Q::Length, kMaxHairpinLength, u) + " " +
                           std::string(unitText(Q::Length, u.system)))
                              .c_str());
        d.legs.push_back(*leg);
    } else {
        return Read::NotMine;
    }
    return Read::Ok;
}

// The options with a name or a count; false, said on stderr, for a bad value.
Read readChoice(const std::string& a, const std::string& v, DesignArgs& d) {
    static const char* ranks[] = {"surface", "hairpins", "dp", "over-surface"};
    if (a == "--standard" || a == "--schedule") {
        if (v.empty()) return bad(a, "a name");
        (a == "--standard" ? d.standards : d.schedules).push_back(v);
    } else if (a == "--branches") {
        const auto p = whole(v, 2, 64);
        if (!p) return bad(a, "a number of branches, 2 to 64");
        d.branches.push_back(static_cast<int>(*p));
    } else if (a == "--allocation") {
        if (v != "given" && v != "swapped" && v != "both") return bad(a, "given, swapped or both");
        d.allocation = v;
    } else if (a == "--rank") {
        int i = 0;
        while (i < 4 && v != ranks[i]) ++i;
        if (i == 4) return bad(a, "surface, hairpins, dp or over-surface");
        d.criterion = static_cast<Criterion>(i);
    } else if (a == "--failed" || a == "--threads" || a == "--design-pick") {
        const auto n = whole(v, a == "--failed" ? 0 : 1, a == "--threads" ? 256 : 1e9);
        if (!n) return bad(a, "a whole number");
        if (a == "--failed") d.failed = *n;
        if (a == "--threads") d.threads = static_cast<unsigned>(*n);
        if (a == "--design-pick") d.pick = *n;
    } else {
        return Read::NotMine;
    }
    return Read::Ok;
}

// The options shared with a calculation.
Read readCommon(const std::string& a, const std::string& v, DesignArgs& d) {
    if (a == "--units" || a == "--decimal") {
        // read before the others, by readUnitChoice
    } else if (a == "--data") {
        d.dataDir = v;
    } else if (a == "--out") {
        if (v.empty()) return bad(a, "a case file name");
        d.out = v;
    } else if (a == "--correlations") {
        d.correlations = correlationSetOption(v);
        if (!d.correlations) return bad(a, "classic, refined or textbook");
    } else if (a == "--set") {
        const auto eq = v.find('=');
        CaseData probe;
        const auto why = eq == std::string::npos || eq == 0
                             ? std::optional<std::string>("--set needs NAME=VALUE")
                             : setByName(probe, v.substr(0, eq), v.substr(eq + 1));
        if (why) return bad(a, why->c_str());
        d.sets.emplace_back(v.substr(0, eq), v.substr(eq + 1));
    } else {
        return Read::NotMine;
    }
    return Read::Ok;
}

// --units and --decimal, read first: the limits typed before them are in their units. US
// customary units go with a decimal point unless --decimal says otherwise.
bool readUnitChoice(int argc, char** argv, Units& u) {
    bool decimalGiven = false;
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string a = argv[i], v = argv[i + 1];
        if (a == "--design" || a == "--json" || a == "--csv" || a.rfind("--", 0) != 0) continue;
        ++i;  // every other option takes a value
        if (a == "--units") {
            const auto system = systemNamed(v);
            if (!system) return bad(a, "si or us") == Read::Ok;
            u.system = *system;
        } else if (a == "--decimal") {
            if (v != "comma" && v != "point") return bad(a, "comma or point") == Read::Ok;
            u.decimal = v == "comma" ? ',' : '.', decimalGiven = true;
        }
    }
    if (!decimalGiven) u.decimal = u.system == UnitSystem::US ? '.' : ',';
    return true;
}

bool parseDesign(int argc, char** argv, DesignArgs& d) {
    if (!readUnitChoice(argc, argv, d.units)) return false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--design") continue;
        if (a == "--json" || a == "--csv") {
            (a == "--json" ? d.json : d.csv) = true;
        } else if (a.rfind("--", 0) == 0) {
            if (i + 1 >= argc) return bad(a, "a value") == Read::Ok;
            const std::string v = argv[++i];
            Read r = readMeasure(a, v, d);
            if (r == Read::NotMine) r = readChoice(a, v, d);
            if (r == Read::NotMine) r = readCommon(a, v, d);
            if (r == Read::NotMine)
                std::fprintf(stderr, "zano-calc: %s is no option of --design (see --help)\n",
                             a.c_str());
            if (r != Read::Ok) return false;
        } else if (!d.file.empty()) {
            std::fprintf(stderr, "zano-calc: --design searches around one case file\n");
            return false;
        } else {
            d.file = a;
        }
    }
    if (d.file.empty()) return bad("--design", "a case file") == Read::Ok;
    if (d.pick.has_value() != !d.out.empty())
        return bad("--design-pick", "--out FILE.zan, and --out --design-pick") == Read::Ok;
    return true;
}

}  // namespace

bool wantsDesign(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--design") return true;
    return false;
}

namespace {

// The limits and choices: each named on the command line, else its default.
void applyArgs(const DesignArgs& d, DesignLimits& l, DesignChoices& ch) {
    for (int s : {0, 1}) {
        if (d.dp[s]) l.allowedDp[s] = *d.dp[s];
        if (d.velocity[s]) l.velocity[s] = *d.velocity[s];
    }
    if (d.minOverSurface) l.minOverSurface = *d.minOverSurface;
    if (!d.standards.empty()) ch.standards = d.standards;
    if (!d.schedules.empty()) ch.schedules = d.schedules;
    if (!d.standards.empty() && d.schedules.empty()) ch.schedules.clear();
    if (d.innerOd) ch.innerOd = *d.innerOd;
    if (d.gap) ch.minGap = *d.gap;
    if (d.boreRatio) ch.maxBoreRatio = *d.boreRatio;
    if (!d.legs.empty()) ch.legs = d.legs;
    if (!d.branches.empty()) ch.branches = d.branches;
    ch.asGiven = d.allocation != "swapped";
    ch.swapped = d.allocation != "given";
}

// Candidate N of the list written as a case file; the exit status.
int writePick(const DesignArgs& d, const DesignSearch& s) {
    const std::size_t n = *d.pick;
    const Judged* j = listedCandidate(s, n);
    if (!j) {
        std::fprintf(stderr, "zano-calc: --design-pick %zu: the list has %zu candidates\n", n,
                     s.feasible.size() + s.nearest.size());
        return 2;
    }
    try {
        saveCaseFile(d.out, j->candidate.c);
    } catch (const CaseFileError& e) {
        std::fprintf(stderr, "zano-calc: %s\n", e.what());
        return 2;
    }
    std::printf("Candidate %zu written to %s\n", n, d.out.c_str());
    return 0;
}

// The case to search around, as read and with the options over it; nullopt, said on stderr,
// when it cannot be read.
std::optional<CaseData> designCase(const DesignArgs& d) {
    CaseData c;
    try {
        c = loadCaseFile(d.file);
    } catch (const CaseFileError& e) {
        std::fprintf(stderr, "zano-calc: %s\n", e.what());
        return std::nullopt;
    }
    if (d.correlations) c.correlations = *d.correlations;
    for (const auto& [name, value] : d.sets) setByName(c, name, value);
    return c;
}

}  // namespace

int runDesign(int argc, char** argv,
              const std::function<bool(const std::filesystem::path&, DataFolder&)>& load) {
    DesignArgs d;
    if (!parseDesign(argc, argv, d)) return 2;
    DataFolder data;
    if (!load(d.dataDir, data)) return 2;
    const std::optional<CaseData> c = designCase(d);
    if (!c) return 2;
    DesignSearch s;
    DesignLimits limits;
    try {
        const CaseData process = designProcess(*c, data);
        limits = defaultLimits(process);
        DesignChoices choices = defaultChoices(process, data.pipeCatalogue());
        applyArgs(d, limits, choices);
        SearchControl control;
        control.threads = d.threads, control.failedShown = d.failed;
        s = searchDesigns(process, data, limits, choices, d.criterion, control);
    } catch (const CalcError& e) {
        std::fprintf(stderr, "%s: %s\n%s\n", d.file.c_str(), e.what(), e.detail().c_str());
        return 1;
    }
    if (d.pick) return writePick(d, s);
    const std::string out = d.json  ? designJson(s, limits, d.criterion, d.units)
                            : d.csv ? designCsv(s, d.units)
                                    : designText(s, limits, d.criterion, d.units);
    std::fputs(out.c_str(), stdout);
    return 0;
}

}  // namespace zano::cli
