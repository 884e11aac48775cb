#pragma once

#include <string>

#include "records/correlation_set.h"

namespace zano {

// How the streams run: against each other or alongside. The case file and the texts keep their
// own words for it ("contro" and "equi", "Contercurrent" and "Equicurrent").
enum class Arrangement { Countercurrent, Equicurrent };

// The stream whose outlet temperature and mass flow give the duty, the other's mass flow given
// too: the capacity follows from that stream's enthalpy change, and the length from the
// capacity. None: the capacity or the length is given, as LGiven says.
enum class DutyFrom { None, Internal, External };

// One design case, held as the texts of the edit controls and the mode choices. Numeric
// fields are texts with the decimal comma; an empty text means nothing was entered.
struct CaseData {
    std::string deti;     // outside diameter, internal pipe, mm
    std::string spi;      // wall thickness, internal pipe, mm
    std::string dete;     // outside diameter, external pipe, mm
    std::string spe;      // wall thickness, external pipe, mm
    std::string intTin;   // degC
    std::string intTout;  // degC
    std::string intPort;  // kg/s
    std::string estTin;   // degC
    std::string estTout;  // degC
    std::string estPort;  // kg/s
    std::string L;        // m
    std::string intfluid;
    std::string estfluid;
    std::string mat;
    std::string intSporc = "0";  // (m^2 K)/W
    std::string estSporc = "0";  // (m^2 K)/W
    std::string intpress;        // bar
    std::string estpress;        // bar
    std::string q;               // kW
    std::string hairpinLength;   // m, one leg of a standard hairpin; empty when none is set
    std::string hairpins;        // the hairpins built; empty: as many as the length needs
    std::string intBranches;     // parallel branches of the internal stream; empty: 1, in series
    std::string estBranches;     // the same for the external stream
    std::string bendRadius;      // mm, the inner pipe's return bends; empty: 1,5 times its bore
    std::string intNozzle, estNozzle;        // mm, nozzle bores; empty: the pipe's own bore
    std::string intAllowedDp, estAllowedDp;  // kPa, allowable pressure drops; empty: none

    bool intToutGiven = true;  // internal outlet temperature given, its mass flow found
    Arrangement controequi = Arrangement::Countercurrent;
    bool LGiven = true;         // length given, capacity found
    bool estToutGiven = false;  // external outlet temperature given (never with intToutGiven)
    // With a stream named, its outlet (chosen by the modes above) and both mass flows are given,
    // and LGiven is false: the capacity and the length are found.
    DutyFrom dutyFrom = DutyFrom::None;
    CorrelationSet correlations = CorrelationSet::Classic;
    // The hairpins as built rated each with the properties at its own temperatures, instead of
    // the whole exchanger (or bank) at its mean temperatures.
    bool propertiesPerHairpin = false;

    // Where the design belongs, for the printed page (File > Properties); the calculation never
    // reads them. Empty when not entered; the notes may hold line breaks.
    std::string project, item, service, revision, preparedBy, checkedBy, notes;
};

}  // namespace zano
