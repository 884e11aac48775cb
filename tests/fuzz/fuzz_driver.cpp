// The whole calculation on a fuzzed case over the shipped tables. The input is one byte of mode
// flags followed by a case file, so that the example cases seed it: every calculation must end
// in results whose values are finite or in exactly one of the system's messages.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/errors.h"
#include "formats/case_file.h"
#include "fuzz_support.h"
#include "properties/calc_state.h"
#include "properties/wall_materials.h"
#include "solver/driver.h"

namespace {

const zano::CalcState& loaded() {
    static const zano::CalcState s = [] {
        zano::CalcState state;
        state.dataDir = std::filesystem::path(ZANO_SOURCE_DIR) / "data";
        zano::dbmateriale(state);
        return state;
    }();
    return s;
}

bool isSystemMessage(const std::string& m) {
    using namespace zano::msg;
    for (const char* known :
         {kInvalidIntPressure, kInvalidEstPressure, kInvalidTemperatures, kOutOfRange, kNtuTooHigh,
          kCapacityTooHigh, kInvalidData, kNotConverged})
        if (m == known) return true;
    return false;
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
    if (!out.ok()) {
        ZANO_FUZZ_CHECK(isSystemMessage(out.message), out.message);
        ZANO_FUZZ_CHECK(out.message != zano::msg::kInvalidData || !out.detail.empty(),
                        "\"Invalid data\" without a cause");
        return 0;
    }
    const zano::ResultsData& r = *out.results;
    const double values[] = {r.q,         r.a,         r.L,        r.U,        r.deti,   r.spi,
                             r.dete,      r.spe,       r.intpress, r.estpress, r.intTin, r.intTout,
                             r.estTin,    r.estTout,   r.intPort,  r.estPort,  r.intVel, r.estVel,
                             r.intDeltaP, r.estDeltaP, r.intSporc, r.estSporc, r.Rei,    r.Ree};
    for (double v : values) ZANO_FUZZ_CHECK(std::isfinite(v), "a result is not finite");
    return 0;
}
