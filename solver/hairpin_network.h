#pragma once

#include <vector>

#include "properties/data_folder.h"
#include "records/case_data.h"
#include "records/design_margins.h"

namespace zano {

// How each stream is led through the hairpins: in series through every one (1), or split into
// equal parallel branches, each through its own consecutive hairpins.
struct Branches {
    int internal = 1, external = 1;
};

// A network of hairpins rated with both flows given: the outlets (the branches' mixed by
// enthalpy), the duty, and the true mean temperature difference q / sum(U a) with its ratio F
// to the countercurrent log-mean difference of the network's ends.
struct NetworkFigures {
    double intTout = 0, estTout = 0;  // degC
    double q = 0;                     // kW
    double meanDifference = 0;        // K
    double F = 1;
    std::vector<HairpinFigures> hairpins;  // in the series stream's order; one a bank
};

// What the solve of a network with one stream in series and the other in branches leaves for the
// next of the same streams and branches (another count of hairpins, leg or flow): the share of
// the difference between its inlets by which each hairpin changes the series stream (S) and the
// branched one (B), from which the next solve starts.
struct NetworkStart {
    int branches = 0;
    bool seriesInternal = true;
    std::vector<double> sShare, bShare;  // by hairpin, in S's order

    // Shares for `hairpins` hairpins in the same branches: each branch's hairpins take those at
    // the same place along the branch before.
    bool fitted(int hairpins, int P, bool series);
};

// Rates `hairpins` hairpins of two legs of `leg` m each with the geometry, fluids, inlets,
// arrangement and flows of the solved case `c` (its mass-flow texts hold the whole streams).
// Both streams in the same branches: identical banks, each today's calculation with its share
// of each flow. One stream in series and the other in branches: hairpin by hairpin, each by
// today's calculation with both inlets and flows given. Invalid data for branches that the
// hairpins cannot share equally or that are no such arrangement. `perHairpin` solves the banks
// too hairpin by hairpin, each with the properties at its own temperatures. A network solved
// hairpin by hairpin starts from `start` where it holds shares, and leaves its own in it.
NetworkFigures rateNetwork(const CaseData& c, int hairpins, double leg, Branches b,
                           const DataFolder& data, bool perHairpin = false,
                           NetworkStart* start = nullptr);

}  // namespace zano
