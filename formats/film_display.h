#pragma once

#include <string>
#include <vector>

#include "records/film_breakdown.h"

// The film breakdown as the results extension, the report and the headless calculator show it:
// one row per quantity, the internal pipe's column and the annulus's.
namespace zano {

struct FilmRow {
    const char* caption;
    const char* unit;
    std::string internal, external;  // empty where a quantity has no value on that side
};

// Regime, Reynolds, Prandtl and Nusselt numbers, film coefficients, the wall temperature, and
// each resistance with its share of 1/U.
std::vector<FilmRow> filmRows(const FilmBreakdown& f);

}  // namespace zano
