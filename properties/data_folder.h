#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "base/file_stamp.h"
#include "properties/fluid_table.h"
#include "properties/pipe_catalogue.h"
#include "properties/wall_materials.h"

namespace zano {

// Fluid tables parsed once and reused while their file stays as it was read: a table edited or
// saved again between two calculations is read again, one that no save touched is not. Parsing
// is most of a calculation's time. Safe to share between threads.
class FluidTableCache {
  public:
    // The table in `file`, as readFluidTable gives it (and fails as it fails).
    FluidTable table(const std::filesystem::path& file);

  private:
    struct Entry {
        FileStamp stamp;
        FluidTable table;
    };
    std::mutex mutex_;
    std::map<std::filesystem::path, Entry> entries_;
};

// What a data folder holds for every calculation of a program: where the tables lie, the wall
// materials read at start, and the fluid tables and pipe catalogue read so far. The state of
// one calculation (CalcState) starts from it.
struct DataFolder {
    std::filesystem::path dataDir = QuestaDirectory() / "data";
    std::filesystem::path userDir;  // the user's own tables; none when empty
    std::vector<WallMaterial> materials;
    // Shared by copies, so that each calculation of a program finds what the others read.
    std::shared_ptr<FluidTableCache> tables = std::make_shared<FluidTableCache>();
    std::shared_ptr<PipeCatalogueCache> pipes = std::make_shared<PipeCatalogueCache>();

    // The table of a fluid by its name, from the data folder or the user's (fluidFile).
    FluidTable fluidTable(const std::string& fluid) const;
    // The standard pipes of the data folder's pipes.dat (readPipeCatalogue), read again when
    // the file changes.
    PipeCatalogue pipeCatalogue() const;
};

}  // namespace zano
