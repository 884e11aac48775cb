#pragma once

#include <optional>
#include <string>
#include <vector>

#include "records/case_data.h"
#include "records/case_fields.h"
#include "records/design_margins.h"
#include "records/film_breakdown.h"
#include "records/hand_check.h"
#include "records/results_data.h"
#include "records/temperature_profile.h"

namespace zano {

// What the pressure drop of the exchanger as built starts from: each stream's density and
// viscosity at its mean temperature, its flow diameter and area and the bore its nozzles take by
// default (the inner pipe's, the outer pipe's), and the wall's roughness.
struct SideFlow {
    double dens = 0;                         // kg/m^3
    double visc = 0;                         // Pa s
    float diameter = 0, area = 0, bore = 0;  // m, m^2, m
};
struct FlowState {
    SideFlow internal, external;
    double roughness = 0;  // m
};

// How a calculation ended: results, or one of the system's messages (with, for "Invalid
// data", the cause in `detail`).
struct CalcOutcome {
    std::optional<ResultsData> results;
    std::optional<DesignMargins> margins;  // with the results
    std::optional<FilmBreakdown> films;    // with the results: what makes up U
    std::optional<FlowState> flow;         // with the results
    std::string message;                   // empty on success
    std::string detail;
    std::string field;  // the case's field at fault, as kCaseFields names it; empty when none
    // The values found for the case's output fields, as their boxes show them, in the order the
    // solution found them. A failure after the solution wrote them keeps them: the user sees how
    // far it came.
    std::vector<FieldText> written;
    bool ok() const { return results.has_value(); }
};

// Everything a calculation gives to those who show it: the desktop program, zano-calc and the
// printed report all take it from here, so that each shows the same figures by one policy.
struct CaseRun {
    CaseData entered;  // as given, with the outputs of its modes emptied
    CaseData solved;   // `entered` with what the calculation found (out.written)
    CalcOutcome out;
    std::optional<Hairpins> hairpins;  // for the case's hairpin length, when it has one
    std::optional<TemperatureProfile> profile;
    // With a profile asked for and a stream in branches: the hairpins as built, which the
    // profile window draws; none otherwise.
    std::optional<BuiltProfile> builtProfile;
    std::optional<OtherSetFigures> otherSet;
    std::optional<HandCheck> handCheck;  // with the results
    // What the calculation could not add to its results (the hairpins for a leg longer than the
    // exchanger, a profile of streams that touch): said beside them, never failing them.
    std::vector<std::string> notes;
    bool ok() const { return out.ok(); }
};

}  // namespace zano
