// The fluid table reader on any bytes: either "Invalid data" or a table whose columns agree;
// every lookup on that table then ends in a finite value or "Invalid data".
#include <cmath>
#include <cstdint>
#include <string_view>

#include "base/errors.h"
#include "fuzz_support.h"
#include "properties/fluid_table.h"

namespace {

// A lookup ends in a finite value or "Invalid data".
template <typename Lookup>
void finiteOrRefused(const char* what, Lookup lookup) {
    try {
        ZANO_FUZZ_CHECK(std::isfinite(lookup()), what);
    } catch (const zano::CalcError&) {
    }
}

void lookups(const zano::FluidTable& t, float p) {
    const double probes[] = {
        t.T.front(), t.T.back(),        0.5 * (t.T.front() + t.T.back()), -1e3, 1e3, t.H.front(),
        t.H.back(),  t.T.front() - 1e-9};
    for (double v : probes) {
        finiteOrRefused("properties", [&] {
            const auto f = t.properties(v, p);
            const bool finite = std::isfinite(f.dens) && std::isfinite(f.cp) &&
                                std::isfinite(f.cond) && std::isfinite(f.visc);
            return finite ? 0.0 : NAN;
        });
        finiteOrRefused("enthalpy", [&] { return t.enthalpy(v, p); });
        finiteOrRefused("temperatureAt", [&] { return t.temperatureAt(v, p); });
        finiteOrRefused("wallViscosity", [&] { return t.wallViscosity(v, p); });
        finiteOrRefused("inRange", [&] { return t.inRange(v) ? 1.0 : 0.0; });
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    zano::FluidTable t;
    try {
        t = zano::readFluidTable(zano::fuzz::inputFile(bytes, "Fuzzed fluid.dat"));
    } catch (const zano::CalcError& e) {
        ZANO_FUZZ_CHECK(e.what() == std::string_view(zano::msg::kInvalidData), e.what());
        ZANO_FUZZ_CHECK(!e.detail().empty(), "a refused file names no cause");
        return 0;
    }
    const auto n = t.size();
    ZANO_FUZZ_CHECK(n >= 1 && n <= zano::FluidTable::kMaxRows, "row count");
    ZANO_FUZZ_CHECK(t.P.size() == n && t.dens.size() == n && t.cp.size() == n &&
                        t.cond.size() == n && t.visc.size() == n && t.H.size() == n,
                    "ragged columns");
    for (std::size_t i = 0; i < n; ++i)
        ZANO_FUZZ_CHECK(std::isfinite(t.T[i]) && std::isfinite(t.P[i]) && std::isfinite(t.H[i]),
                        "a non-finite number was read");

    // On the whole table, then on each pressure's block as the driver reduces it.
    lookups(t, t.P.front());
    for (std::size_t i = 0; i < n; i += 1 + n / 8) {
        zano::FluidTable reduced = t;
        try {
            reduced.reduceTo(t.P[i]);
        } catch (const zano::CalcError&) {
            zano::fuzz::broken("a pressure of the table was not found in it");
        }
        ZANO_FUZZ_CHECK(reduced.size() >= 1 && reduced.P.front() == t.P[i], "reduction");
        lookups(reduced, t.P[i]);
    }
    try {
        zano::FluidTable absent = t;
        absent.reduceTo(-12345.5f);
    } catch (const zano::CalcError&) {
    }
    return 0;
}
