#include "properties/calc_state.h"

namespace zano {

void CalcState::inizializza() {
    condTubo = 0;
    rugTubo = 0;
    tuboName.reset();
    internal.reset();
    external.reset();
    geo = Geometry{};
}

}  // namespace zano
