#include "properties/stream.h"

#include "base/file_cache.h"
#include "properties/data_folder.h"
#include "properties/fluid_names.h"

namespace zano {

void Stream::load(const DataFolder& data, const std::string& fluid) {
    const bool holds = held_.p && data.tables->pinned();
    fromHeld_ = holds;
    if (holds && held_->cache == data.tables.get() && held_->fluid == fluid &&
        held_->dataDir == data.dataDir && held_->userDir == data.userDir) {
        table = held_->table;
        gas = held_->gas;
        return;
    }
    table = data.fluidTable(fluid);
    gas = isGas(fluid);
    if (holds) *held_.p = {data.tables.get(), data.dataDir, data.userDir, fluid, table, {}, 0, gas};
}

void Stream::reduce() {
    if (fromHeld_ && held_.p && held_->reducedHeld && held_->press == press) {
        table = held_->reduced;
        return;
    }
    table.reduceTo(press);
    if (fromHeld_ && held_.p)
        held_->reduced = table, held_->press = press, held_->reducedHeld = true;
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
