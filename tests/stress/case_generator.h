#pragma once

#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "properties/fluid_table.h"
#include "records/case_data.h"

// Random design cases over the shipped tables for the stress run: sound cases across every
// fluid, pressure, mode, arrangement and orientation, and cases with one deliberate defect.
namespace zano::stress {

// One block of a fluid table: the rows of one pressure.
struct Block {
    float pressure = 0;
    FluidTable table;  // reduced to this pressure
    double tLow() const { return table.T.front(); }
    double tHigh() const { return table.T.back(); }
};

struct Fluids {
    // Every table of the data folder, as the fluid lists offer them: the sixteen in their order,
    // then the other shipped tables (an engine oil) alphabetically.
    std::vector<std::string> names;
    std::map<std::string, std::vector<Block>> blocks;  // by fluid name
    std::vector<std::string> materials;
    static Fluids load(const std::filesystem::path& dataDir);
    // The blocks of a whole table, each pressure once: its first block, as the driver keeps.
    static std::vector<Block> blocksOf(const FluidTable& whole);
    const Block& block(const std::string& fluid, float pressure) const;
};

// The defects a case can carry; None is a sound case.
enum class Defect {
    None,
    EmptyCase,        // the case as at start-up: every text empty
    EmptyField,       // one input emptied
    Malformed,        // one input is no number
    Crossing,         // the given outlet beyond the other stream's inlet
    WrongDirection,   // the given outlet runs the wrong way
    ZeroFlow,         // a given mass flow of 0
    SmallAnnulus,     // the external pipe not larger than the internal one
    CapacityTooHigh,  // a given capacity above the largest the streams could exchange
    OutOfRange,       // an inlet outside its fluid's table
    BadPressure,      // a pressure that is not in the table
    UnknownName,      // a fluid or material that does not exist
    Extreme,          // a number near the limits of a single
    Negative,         // a negative size, flow, length, capacity or fouling factor
    kCount
};
const char* defectName(Defect d);

struct GeneratedCase {
    CaseData c;
    Defect defect = Defect::None;
};

class CaseGenerator {
  public:
    CaseGenerator(const Fluids& fluids, unsigned long long seed) : f_(fluids), rng_(seed) {}
    GeneratedCase next();

  private:
    double uniform(double lo, double hi);
    double logUniform(double lo, double hi);
    bool chance(double p);
    template <typename T>
    const T& pick(const std::vector<T>& v);

    void defect(GeneratedCase& g, const Block& bi, const Block& be);

    const Fluids& f_;
    std::mt19937_64 rng_;
};

// v with `digits` significant digits, as a case text with the decimal comma.
std::string text(double v, int digits = 5);

}  // namespace zano::stress
