#pragma once

#include <string>
#include <vector>

#include "formats/units.h"
#include "records/design_margins.h"

// The hairpins as built, as the results window's "Construction" fold and the report show them:
// one row per figure, the exchanger's in the internal column, each stream's side by side.
namespace zano {

struct ConstructionRow {
    const char* box;  // the results window's box name, "Int" or "Est" appended for a stream's
    const char* caption;
    const char* unit;
    bool eachStream;                 // a figure of each stream: two columns
    std::string internal, external;  // empty where the run has no such figure
};

// Over-surface, rated capacity, the branches, outlets as built, the mean difference and F, and
// each stream's pressure drop as built by its parts beside the allowable drop, with the nozzle
// velocity. Every row is listed, empty where the hairpins lack the figure, so that a window can
// make its boxes once and hide the empty rows. In the units and with the separator chosen.
std::vector<ConstructionRow> constructionRows(const Hairpins& h, const Units& units = {});

// Whether the hairpins were rated as built: the fold and the report's block show only then.
bool hasConstructionFigures(const Hairpins& h);

}  // namespace zano
