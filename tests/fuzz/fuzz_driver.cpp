// The whole calculation on a fuzzed case over the shipped tables. The input is one byte of mode
// flags followed by a case file, so that the example cases seed it: every calculation must end
// in results that pass the stress run's checks (finite values, outlets between the inlets, both
// duties equal to the capacity, positive velocities and Reynolds numbers) or in exactly one of
// the system's messages, "Invalid data" with its cause.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formats/case_file.h"
#include "fuzz_support.h"
#include "properties/calc_state.h"
#include "properties/wall_materials.h"
#include "solver/driver.h"
#include "tests/stress/case_generator.h"
#include "tests/stress/result_checks.h"

namespace {

const std::filesystem::path kDataDir = std::filesystem::path(ZANO_SOURCE_DIR) / "data";

const zano::CalcState& loaded() {
    static const zano::CalcState s = [] {
        zano::CalcState state;
        state.data.dataDir = kDataDir;
        zano::dbmateriale(state);
        return state;
    }();
    return s;
}

const zano::stress::Fluids& fluids() {
    static const zano::stress::Fluids f = zano::stress::Fluids::load(kDataDir);
    return f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    zano::CaseData c;
    try {
        c = zano::parseCaseFile(bytes);
    } catch (const zano::CaseFileError&) {
        return 0;
    }
    // The main window never gives both outlet temperatures.
    c.estToutGiven = !c.intToutGiven && (data[0] & 1) != 0;

    zano::CalcState s = loaded();
    const zano::CalcOutcome out = zano::calculate(c, s);
    const std::string broken = zano::stress::brokenChecks(fluids(), c, out);
    if (!broken.empty())
        zano::fuzz::broken("the outcome fails the checks of every calculation", broken);
    return 0;
}
