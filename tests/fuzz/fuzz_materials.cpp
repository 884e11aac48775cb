// The wall material reader on any bytes: either "Invalid data" or at most eleven materials whose
// values are finite; selecting each of them copies its values.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "base/errors.h"
#include "fuzz_support.h"
#include "properties/calc_state.h"
#include "properties/wall_materials.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<zano::WallMaterial> materials;
    try {
        materials = zano::readMaterialFile(zano::fuzz::inputFile(bytes, "condmat.dat"));
    } catch (const zano::CalcError& e) {
        ZANO_FUZZ_CHECK(e.what() == std::string_view(zano::msg::kInvalidData), e.what());
        ZANO_FUZZ_CHECK(!e.detail().empty(), "a refused file names no cause");
        return 0;
    }
    ZANO_FUZZ_CHECK(materials.size() <= zano::kMaxMaterials, "too many materials");
    zano::CalcState s;
    s.data.materials = materials;
    for (const auto& m : materials) {
        ZANO_FUZZ_CHECK(std::isfinite(m.cond) && std::isfinite(m.rug), m.name);
        s.condTubo = 0;
        s.rugTubo = 0;
        zano::proptubo(s, m.name);
        // The last entry of that name wins.
        const zano::WallMaterial* last = nullptr;
        for (const auto& other : materials)
            if (other.name == m.name) last = &other;
        ZANO_FUZZ_CHECK(s.condTubo == last->cond && s.rugTubo == last->rug, m.name);
    }
    return 0;
}
