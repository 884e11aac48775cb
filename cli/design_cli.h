#pragma once

#include <filesystem>
#include <functional>

#include "properties/data_folder.h"

namespace zano::cli {

// The design options as --help lists them.
extern const char* const kDesignUsage;

// True when the command line asks for a design search (--design).
bool wantsDesign(int argc, char** argv);

// zano-calc --design CASE.zan [options]: the search, its list on stdout; the exit status (0 a
// list printed, 1 the case or the search ended in a message, 2 a bad command line or a file
// that cannot be read or written). `load` reads the data folder (empty: the default one).
int runDesign(int argc, char** argv,
              const std::function<bool(const std::filesystem::path&, DataFolder&)>& load);

}  // namespace zano::cli
