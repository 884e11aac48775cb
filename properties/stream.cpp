#include "properties/stream.h"

#include "properties/data_folder.h"
#include "properties/fluid_names.h"

namespace zano {

void Stream::load(const DataFolder& data, const std::string& fluid) {
    table = data.fluidTable(fluid);
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
