#include "solver/geometry.h"

#include "base/errors.h"
#include "base/number_text.h"
#include "solver/case_values.h"

namespace zano {

PipeSizes deriveGeometry(const CaseData& c, Geometry& g) {
    const double deti = caseDouble(c, &CaseData::deti);
    const double spi = caseDouble(c, &CaseData::spi);
    const double dete = caseDouble(c, &CaseData::dete);
    const double spe = caseDouble(c, &CaseData::spe);
    g.intDe = sgl(deti / 1000, "the outside diameter of the internal pipe");
    g.intDi = sgl(g.intDe - 2 * spi / 1000, "the inside diameter of the internal pipe");
    g.estDi = sgl((dete - 2 * spe) / 1000, "the inside diameter of the external pipe");
    const double pi = g.pigreco;
    const double di = g.intDi, de = g.intDe, Di = g.estDi;
    g.intArea = sgl(di * di * pi / 4, "the flow area of the internal pipe");
    g.estArea = sgl((Di * Di - de * de) * pi / 4, "the flow area of the annulus");
    if (Di + de == 0) invalidData("the annulus has no hydraulic diameter: both diameters are 0");
    g.estDh = sgl((Di * Di - de * de) / (Di + de), "the hydraulic diameter of the annulus");
    return {deti, spi, dete, spe};
}

void checkWalls(const PipeSizes& mm) {
    if (mm.spi < 0) invalidData("the wall thickness of the internal pipe is negative", "spi");
    if (mm.spe < 0) invalidData("the wall thickness of the external pipe is negative", "spe");
}

void checkPipes(const PipeSizes& mm, const Geometry& g) {
    if (!(g.intDi > 0))
        invalidData("the internal pipe has no bore: its wall is as thick as its radius", "spi");
    // Named by the inside diameter that the wall leaves, which the outside diameter on the
    // screen hides.
    if (!(g.estArea > 0 && g.estDh > 0))
        invalidData("the annulus has no area: the inside diameter of the external pipe, " +
                        formatDouble(roundTo(1000.0 * g.estDi, 3)) +
                        " mm, is not larger than the outside diameter of the internal pipe, " +
                        formatDouble(roundTo(1000.0 * g.intDe, 3)) + " mm",
                    "dete");
    // Below a tenth of a millimetre a bore or a gap is a slip of the pen, not a pipe: single
    // rounding can leave a wall of half the diameter a bore of 1e-9 m and a velocity of 1e11 m/s.
    constexpr double kNarrowest = 0.0001;  // m
    if (g.intDi < kNarrowest) invalidData("the bore of the internal pipe is below 0,1 mm", "spi");
    if ((static_cast<double>(g.estDi) - g.intDe) / 2 < kNarrowest)
        invalidData("the gap of the annulus is below 0,1 mm", "dete");
    constexpr double kWidest = 10;  // m, beyond any pipe made
    if (g.intDe > kWidest)
        invalidData("the outside diameter of the internal pipe is above 10 m", "deti");
    if (mm.dete / 1000 > kWidest)
        invalidData("the outside diameter of the external pipe is above 10 m", "dete");
}

}  // namespace zano
