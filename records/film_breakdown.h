#pragma once

#include <optional>
#include <string>
#include <vector>

#include "records/correlation_set.h"

// Where the resistance to heat transfer lies at the final state of a calculation: each side's
// flow groups and film coefficient, the wall temperature, and the resistances whose sum is 1/U.
namespace zano {

struct SideFilm {
    double re = 0, pr = 0, nu = 0;
    double h = 0;        // film coefficient on the side's own surface, W/(m^2 K)
    std::string regime;  // "laminar" below Re 2300, "turbulent" from 10^4, "transition" between
};

struct FilmBreakdown {
    SideFilm internal, external;
    double wallTemperature = 0;  // degC, from the last wall pass
    // The resistances in series, (m^2 K)/W, referred to the outside surface of the internal
    // pipe like U: 1/U is their sum.
    double internalFilm = 0, internalFouling = 0, wall = 0, externalFouling = 0, externalFilm = 0;
};

// The same case, as entered, calculated with the other correlation sets: their headline figures
// beside this calculation's, so that the user sees how much the choice of rules matters.
struct OtherSetFigures {
    bool lengthGiven = true;  // the sought figure is the capacity (kW), else the length (m)
    double ownU = 0, ownSought = 0;
    struct Other {
        CorrelationSet set = CorrelationSet::Classic;
        std::optional<double> U, sought;  // none when the set ended in a message
        std::string message;              // that message, with its cause when it gives one
    };
    std::vector<Other> others;  // in the order of the sets
};

}  // namespace zano
