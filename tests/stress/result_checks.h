#pragma once

#include <optional>
#include <string>
#include <vector>

#include "records/temperature_profile.h"
#include "solver/driver.h"
#include "tests/stress/case_generator.h"

// What every calculation of the stress run must satisfy.
namespace zano::stress {

// Convergence tolerances of the driver's loops.
inline constexpr double kTolT = 0.001;  // K
inline constexpr double kTolU = 0.01;   // W/(m^2 K)

// True when `message` is one of the system's messages.
bool isSystemMessage(const std::string& message);

// The checks on one outcome; each broken one is described in plain words. `explained` names a
// result that the loops make unsound by design and is not judged (empty otherwise).
std::vector<std::string> check(const Fluids& fluids, const CaseData& c, const CalcOutcome& out,
                               std::string& explained);

// The broken checks of an outcome (and of its profile, where there is one), each on a line after
// the case's description; empty when every check holds.
std::string brokenChecks(const Fluids& fluids, const CaseData& c, const CalcOutcome& out,
                         const std::optional<TemperatureProfile>& profile = std::nullopt);

// The case's texts and modes on one line, to replay it.
std::string describe(const CaseData& c);

}  // namespace zano::stress
