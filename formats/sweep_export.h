#pragma once

#include <string>
#include <vector>

#include "formats/units.h"
#include "records/case_sweep.h"

namespace zano {

// A sweep as CSV (decimal point): a header row, then one row a point: the swept value, the
// results' columns as a case's CSV export has them, and the message where the case failed
// there (its figures left empty). The range and the values are SI, as the case holds them; they
// and the results are written in the units chosen, always with a decimal point.
std::string sweepCsv(const SweepRange& s, const std::vector<SweepPoint>& points,
                     const Units& units = {});

// A sweep as one JSON document: the input (name, caption, unit), from, to, steps, and the points,
// each its value and the case's document as a case's JSON export has it.
std::string sweepJson(const SweepRange& s, const std::vector<SweepPoint>& points,
                      const Units& units = {});

// A swept value in a system's unit: in US customary units converted and freed of the dust the
// conversion leaves (100 °F, not 100,00000000000001).
double sweptShown(const SweepInput& input, double si, UnitSystem s);

// The swept input's caption with its unit in a system: "Inlet temperature of the internal
// fluid [°C]".
std::string inputHeading(const SweepInput& input, UnitSystem system);

// A case's message with its cause, as one line: "Invalid data: the setting ...".
std::string runMessage(const CaseRun& run);

}  // namespace zano
