#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/file_cache.h"
#include "properties/fluid_table.h"
#include "properties/pipe_catalogue.h"
#include "properties/wall_materials.h"

namespace zano {

// What a data folder holds for every calculation of a program: where the tables lie, the wall
// materials read at start, and the fluid tables and pipe catalogue read so far. The state of
// one calculation (CalcState) starts from it.
struct DataFolder {
    std::filesystem::path dataDir = QuestaDirectory() / "data";
    std::filesystem::path userDir;  // the user's own tables; none when empty
    std::vector<WallMaterial> materials;
    // Shared by copies, so that each calculation of a program finds what the others read.
    std::shared_ptr<FileCache<FluidTable>> tables = std::make_shared<FileCache<FluidTable>>();
    std::shared_ptr<FileCache<PipeCatalogue>> pipes = std::make_shared<FileCache<PipeCatalogue>>();

    // The table of a fluid by its name, from the data folder or the user's (fluidFile).
    FluidTable fluidTable(const std::string& fluid) const;
    // The standard pipes of the data folder's pipes.dat (readPipeCatalogue), read again when
    // the file changes.
    PipeCatalogue pipeCatalogue() const;
    // A copy whose tables, once read, are kept as read (FileCache::pinnedCopy): what a batch of
    // calculations shares, on any number of threads.
    DataFolder pinned() const;
};

}  // namespace zano
