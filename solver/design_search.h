#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "properties/data_folder.h"
#include "records/case_data.h"

// The design search: from a process duty, every hairpin exchanger of a catalogue range, each
// calculated exactly as a case of its own, judged against the engineer's limits and ranked.
namespace zano {

struct Span {
    double low = 0, high = 0;
};

// The two streams by the case's own sides: 0 the fluid the case has in the inner pipe, 1 the
// other, wherever a candidate puts them.
struct DesignLimits {
    double allowedDp[2] = {70, 70};           // kPa, each stream's pressure drop as built
    Span velocity[2] = {{0.3, 3}, {0.3, 3}};  // m/s, in the pipe (each branch's flow)
    double minOverSurface = 0;                // %
};

struct DesignChoices {
    std::vector<std::string> standards;  // of the pipe catalogue
    // The designations' schedules ("Sch 40", "XXS", "Type L"); empty: every one. A tube that
    // its standard makes in one wall a size is taken whatever they are.
    std::vector<std::string> schedules;
    Span innerOd;              // mm, the inner pipe's outside diameter
    double minGap = 3;         // mm, the annulus's radial gap at least
    double maxBoreRatio = 2;   // the outer pipe's bore at most this times the inner's outside
    std::vector<double> legs;  // m
    bool asGiven = true, swapped = true;  // the fluids' allocations to search
    std::vector<int> branches{2};         // P: one stream or both in P parallel branches
};

enum class Criterion { Surface, Hairpins, PressureDrop, OverSurface };

// One candidate: its pipes, allocation and construction, and the case that calculates it.
struct Candidate {
    std::size_t key = 0;  // its place in the enumeration: ties are broken by it
    std::string innerStandard, inner, outerStandard, outer;  // designations
    bool swapped = false;                  // the case's internal fluid in the annulus
    double leg = 0;                        // m
    int intBranches = 1, estBranches = 1;  // of the inner pipe's and the annulus's stream
    CaseData c;
};

// A limit a calculated candidate broke: the figure and the bound it crossed.
struct BrokenLimit {
    enum Kind { PressureDrop, VelocityLow, VelocityHigh, OverSurface, OverSurfaceUnknown };
    Kind kind;
    int pipe;  // 0 the inner pipe, 1 the annulus; 0 for the over-surface
    double value, bound;
};

// What a candidate gave, by pipe (0 the inner pipe, 1 the annulus), and the limits it broke.
struct CandidateFigures {
    bool calculated = false;
    std::string message;  // why the calculation failed
    int hairpins = 0;
    double surface = 0;  // m^2 as built
    std::optional<double> overSurface;
    double dp[2] = {}, allowedDp[2] = {}, velocity[2] = {};
    float U = 0;         // W/(m^2 K), as the calculation gives it
    double dpRatio = 0;  // the larger of dp / allowed
    std::vector<BrokenLimit> broken;
    bool feasible() const { return calculated && broken.empty(); }
};

struct Judged {
    Candidate candidate;
    CandidateFigures figures;
};

struct DesignSearch {
    CaseData process;  // the case with the capacity given, the duty the search meets
    std::size_t total = 0, done = 0;
    bool cancelled = false;
    std::vector<Judged> feasible;  // ranked
    std::vector<Judged> nearest;   // of those that failed, the best by the same criterion
};

struct SearchControl {
    unsigned threads = 0;  // 0: the machine's
    std::size_t failedShown = 20;
    std::function<void(std::size_t done, std::size_t total)> progress;  // from any thread
    const std::atomic<bool>* cancel = nullptr;
};

// The case with the capacity given that has the case's duty: a case with the length given is
// calculated as it stands first. Invalid data (CalcError) when it cannot be.
CaseData designProcess(const CaseData& c, const DataFolder& data);

// The limits and choices a search takes when none are named: the case's allowances, by each
// stream's kind (liquid or gas) otherwise, its pipes' standards and schedules, half to twice
// its inner pipe's outside diameter, legs of 1,5 to 6 m.
DesignLimits defaultLimits(const CaseData& process);
DesignChoices defaultChoices(const CaseData& process, const PipeCatalogue& pipes);

// Every candidate of the choices, in a fixed order.
std::vector<Candidate> designCandidates(const CaseData& process, const PipeCatalogue& pipes,
                                        const DesignChoices& choices, const DesignLimits& limits);

// One candidate calculated and judged.
CandidateFigures judgeCandidate(const Candidate& cand, const DesignLimits& limits,
                                const DataFolder& data);

// The search, on `control.threads` threads; the same list whatever their number.
DesignSearch searchDesigns(const CaseData& process, const DataFolder& data,
                           const DesignLimits& limits, const DesignChoices& choices,
                           Criterion criterion, const SearchControl& control);

// The figure a criterion ranks by, smaller first.
double criterionValue(const CandidateFigures& f, Criterion criterion);

// The pipe's schedule in its designation ("Sch 40", "XXS", "Type L"); empty where none.
std::string scheduleOf(const std::string& designation);

}  // namespace zano
