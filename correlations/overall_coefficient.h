#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "records/case_data.h"
#include "records/correlation_set.h"
#include "records/film_breakdown.h"

namespace zano {

struct Geometry;
struct Stream;

// Overall coefficient, W/(m^2 K), referred to the outside surface of the internal pipe: films
// at the mean temperatures tmi and tme, wall conduction (conductivity condTubo, W/(m K)) and
// both streams' fouling factors in series. tuboName is the material condTubo belongs to, none
// when the case's material matched no name.
double overallCoefficient(const Stream& in, const Stream& est, const Geometry& g, float condTubo,
                          const std::optional<std::string>& tuboName, double tmi, double tme,
                          CorrelationSet set);

// What makes up that coefficient: each side's flow groups, Nusselt number and film, the wall
// temperature of the last pass and the resistances in series.
FilmBreakdown filmBreakdown(const Stream& in, const Stream& est, const Geometry& g, float condTubo,
                            const std::optional<std::string>& tuboName, double tmi, double tme,
                            CorrelationSet set);

// Under-relaxation weight 1/(NTUmin^3 + 2) of the Cmin stream (external on a tie).
float xxtt(const Stream& in, const Stream& est, float U, float a);

// Largest duty, kW, the two streams could exchange: the Cmin stream taken from its inlet to the
// other stream's inlet (countercurrent) or outlet (equicurrent) temperature, on table enthalpies.
float Qmax(const Stream& in, const Stream& est, double te1, double te2, double ti1, double ti2,
           float mme, float mmi, Arrangement contro_equi);

}  // namespace zano
