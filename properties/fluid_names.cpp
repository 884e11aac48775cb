#include "properties/fluid_names.h"

#include <algorithm>
#include <iterator>

namespace zano {

bool isFluidName(std::string_view name) {
    return std::find(std::begin(kFluidNames), std::end(kFluidNames), name) != std::end(kFluidNames);
}

bool isGas(std::string_view name) {
    return name == "Air" || name == "Nitrogen" || name.ends_with(" s.h. vapor");
}

}  // namespace zano
