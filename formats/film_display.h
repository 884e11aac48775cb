#pragma once

#include <string>
#include <vector>

#include "formats/units.h"
#include "records/film_breakdown.h"

// The film breakdown as the results extension, the report and the headless calculator show it:
// one row per quantity, the internal pipe's column and the annulus's.
namespace zano {

struct FilmRow {
    const char* caption;
    const char* unit;
    std::string internal, external;  // empty where a quantity has no value on that side
    // The same figure stands in the results' own rows (the Reynolds numbers): a window or page
    // that shows both shows it once; the exports, which are read column by column, keep it.
    bool repeatsAResultsRow = false;
};

// Regime, Reynolds, Prandtl and Nusselt numbers, film coefficients, the wall temperature, and
// each resistance with its share of 1/U; in the units and with the separator chosen.
std::vector<FilmRow> filmRows(const FilmBreakdown& f, const Units& units = {});

// The other sets' headline figures: "Other sets: Refined U 654,8 W/(m^2 K), 2,68 kW; Textbook no
// results" (the capacity, or the length in m; no results where a set ended in a message).
std::string otherSetLine(const OtherSetFigures& f, const Units& units = {});
// What the user should notice: the other sets' messages, or how far the set furthest from the
// chosen one differs where U or the sought figure differ by more than 20 % (of the smaller);
// empty otherwise.
std::string setsDifferLine(const OtherSetFigures& f);

}  // namespace zano
