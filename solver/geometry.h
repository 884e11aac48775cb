#pragma once

#include "properties/geometry.h"
#include "records/case_data.h"

namespace zano {

// The pipe sizes as entered, mm.
struct PipeSizes {
    double deti, spi, dete, spe;
};

// The exchanger's diameters and flow areas from the case's pipe sizes, in metres, each value
// stored as single before it is used further; the length is left to the caller.
PipeSizes deriveGeometry(const CaseData& c, Geometry& g);

// Sizes that no pipe can have end the calculation before the solution turns them into a
// coefficient that no exchanger has: first a wall thickness below zero, then (after the
// fouling factors, which the caller checks between) bores, gaps and diameters.
void checkWalls(const PipeSizes& mm);
void checkPipes(const PipeSizes& mm, const Geometry& g);

}  // namespace zano
