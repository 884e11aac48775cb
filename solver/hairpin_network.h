#pragma once

#include <map>
#include <utility>
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

// The share of the difference between its inlets by which each hairpin of a network with one
// stream in series (S) and the other in branches (B) changed each stream in its last pass; where
// it was learned, the mean of the hairpin's inlets (NaN: not yet), and how the shares changed
// with that level between the passes before, from the properties' change with temperature.
struct HairpinShares {
    double leg = 0;                     // m
    std::vector<double> s, b;           // by hairpin, in S's order
    std::vector<double> level, ds, db;  // degC; 1/K
};

// What the solves of networks of one arrangement of branches leave for the next ones (another
// count of hairpins, leg or flow): the shares of each count solved, from which the next solve
// starts.
class NetworkStart {
  public:
    // Shares for `hairpins` hairpins of `leg` m in P branches: those of the same count where
    // held, else of the nearest count, each hairpin taking those at the same place along its
    // branch; its transfer units in proportion to the leg (`contro`: the streams run
    // countercurrent within a hairpin). Empty where none are held.
    HairpinShares startFor(int hairpins, int P, double leg, bool contro) const;
    void keep(int hairpins, HairpinShares shares) { held_[hairpins] = std::move(shares); }

  private:
    std::map<int, HairpinShares> held_;
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
