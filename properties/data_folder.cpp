#include "properties/data_folder.h"

namespace zano {

FluidTable DataFolder::fluidTable(const std::string& fluid) const {
    return tables->get(fluidFile(dataDir, fluid, userDir), readFluidTable);
}

PipeCatalogue DataFolder::pipeCatalogue() const {
    return pipes->get(dataDir / "pipes.dat", readPipeCatalogue);
}

DataFolder DataFolder::pinned() const {
    DataFolder copy = *this;
    copy.tables = tables->pinnedCopy();
    copy.pipes = pipes->pinnedCopy();
    return copy;
}

}  // namespace zano
