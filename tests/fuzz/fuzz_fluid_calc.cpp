// A fuzzed fluid table through whole calculations. The input is written as the data file of
// Water, and of User defined beside it, in a data folder that holds the other shipped files;
// the example cases are then calculated over it: seven have Water outside (and the water case
// inside too), the user-fluid case has the fuzzed table on both sides, and together they take
// every mode. Every calculation must end in results that pass the stress run's checks against
// the fuzzed table, or in one of the system's messages, "Invalid data" with its cause.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/errors.h"
#include "formats/case_file.h"
#include "fuzz_support.h"
#include "properties/calc_state.h"
#include "properties/fluid_table.h"
#include "properties/wall_materials.h"
#include "solver/driver.h"
#include "tests/stress/case_generator.h"
#include "tests/stress/result_checks.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSource(ZANO_SOURCE_DIR);
constexpr const char* kFuzzedFluids[] = {"Water", "User defined"};

struct Setup {
    fs::path dataDir;
    zano::CalcState state;
    std::vector<zano::CaseData> cases;
    zano::stress::Fluids fluids;  // the shipped tables; the fuzzed fluids' blocks change per input
};

// The data folder is the one the input is written to: the shipped files are copied beside it
// once, and User defined is a link to Water, so each input is written once.
Setup& setup(const fs::path& fuzzedFile) {
    static Setup s = [&] {
        Setup su;
        su.dataDir = fuzzedFile.parent_path();
        for (const auto& entry : fs::directory_iterator(kSource / "data")) {
            const fs::path name = entry.path().filename();
            if (entry.path().extension() != ".dat" || name == "Water.dat" ||
                name == "User defined.dat")
                continue;
            fs::copy_file(entry.path(), su.dataDir / name, fs::copy_options::overwrite_existing);
        }
        fs::create_symlink("Water.dat", su.dataDir / "User defined.dat");
        su.state.data.dataDir = su.dataDir;
        zano::dbmateriale(su.state);

        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(kSource / "examples"))
            if (entry.path().extension() == ".zan") files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        for (const auto& f : files) {
            zano::CaseData c = zano::loadCaseFile(f);
            // As make demo: these examples give the external outlet.
            c.estToutGiven = !c.intToutGiven && f.stem().string().ends_with("-est-outlet");
            su.cases.push_back(c);
        }
        su.fluids = zano::stress::Fluids::load(kSource / "data");
        return su;
    }();
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const fs::path file = zano::fuzz::inputFile(bytes, "Water.dat");
    Setup& s = setup(file);

    // The checks judge the results against the table as the reader gives it.
    std::optional<zano::FluidTable> table;
    try {
        table = zano::readFluidTable(file);
    } catch (const zano::CalcError&) {
    }
    const std::vector<zano::stress::Block> blocks =
        table ? zano::stress::Fluids::blocksOf(*table) : std::vector<zano::stress::Block>{};
    for (const char* fluid : kFuzzedFluids) s.fluids.blocks[fluid] = blocks;

    for (const zano::CaseData& c : s.cases) {
        zano::CalcState state = s.state;
        const zano::CalcOutcome out = zano::calculate(c, state);
        ZANO_FUZZ_CHECK(table || !out.ok(), "results over a table that the reader refuses");
        const std::string broken = zano::stress::brokenChecks(s.fluids, c, out);
        if (!broken.empty())
            zano::fuzz::broken("the outcome fails the checks of every calculation", broken);
    }
    return 0;
}
