#include "properties/stream.h"

#include "properties/fluid_names.h"

namespace zano {

void Stream::load(const std::filesystem::path& dataDir, const std::string& fluid,
                  const std::filesystem::path& userDir) {
    table = readFluidTable(fluidFile(dataDir, fluid, userDir));
    gas = isGas(fluid);
}

void Stream::setMeanTemperature(double tm) {
    Tm = tm;
    props = table.properties(tm, press);
}

void Stream::reset() {
    props = {};
    portata = 0;
    sporcamento = 0;
    Tin = Tout = Hin = Hout = Tm = 0;
    hot = false;
}

}  // namespace zano
