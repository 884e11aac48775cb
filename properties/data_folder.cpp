#include "properties/data_folder.h"

namespace zano {

FluidTable FluidTableCache::table(const std::filesystem::path& file) {
    // Stamped before it is read: a file written while it is being read gets a stamp that the
    // next look finds changed, and is read again then.
    const std::optional<FileStamp> stamp = fileStamp(file);
    if (!stamp) return readFluidTable(file);  // its reader names why it cannot be read
    {
        const std::lock_guard lock(mutex_);
        const auto it = entries_.find(file);
        if (it != entries_.end() && it->second.stamp == *stamp) return it->second.table;
    }
    FluidTable t = readFluidTable(file);  // a table that fails is never kept
    const std::lock_guard lock(mutex_);
    entries_.insert_or_assign(file, Entry{*stamp, t});
    return t;
}

FluidTable DataFolder::fluidTable(const std::string& fluid) const {
    return tables->table(fluidFile(dataDir, fluid, userDir));
}

PipeCatalogue DataFolder::pipeCatalogue() const {
    return pipes->catalogue(dataDir / "pipes.dat");
}

}  // namespace zano
