#include "properties/calc_state.h"

namespace zano {

void CalcState::inizializza() {
    condTubo = 0;
    rugTubo = 0;
    intDens = intCp = intCond = intVisc = 0;
    estDens = estCp = estCond = estVisc = 0;
    intArea = estArea = 0;
    intDi = intDe = estDi = lunghezza = estDh = 0;
    intPortata = estPortata = 0;
    intSporcamento = estSporcamento = 0;
}

}  // namespace zano
