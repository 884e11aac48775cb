#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "records/case_data.h"
#include "records/case_fields.h"
#include "records/case_outcome.h"

// One input of a case calculated over a range of values, to see how sensitive a design is to
// it (a fouling factor, a flow, an inlet temperature).
namespace zano {

// A numeric field of the case (kCaseFields) or a numeric setting (kCaseSettings): exactly one
// of the two.
struct SweepInput {
    const CaseField* field = nullptr;
    const CaseSetting* setting = nullptr;
    Quantity quantity = Quantity::Number;

    std::string name() const;     // "intTin", "hairpins": as zano-calc --set names it
    std::string caption() const;  // "Inlet temperature of the internal fluid", "Hairpins"
    std::string text(const CaseData& c) const;  // the case's own value, as it stands
};

// The inputs a sweep takes: every numeric field, then every numeric setting.
std::vector<SweepInput> sweepInputs();
// The input of that name (without regard to letter case); the reason when there is none.
std::variant<SweepInput, std::string> sweepInputNamed(std::string_view name);
// The reason when the case's modes make the input an output (the length of a case with the
// capacity given): swept, it would change nothing.
std::optional<std::string> sweepInputRefusal(const SweepInput& input, const CaseData& c);

// Beyond this many intervals a sweep is a slip of the pen rather than a study.
inline constexpr int kMaxSweepSteps = 1000;

struct SweepRange {
    SweepInput input;
    double from = 0, to = 0;
    int steps = 1;  // intervals: steps + 1 values, `from` and `to` among them
};

// "NAME=FROM:TO:STEPS", the numbers with a decimal point or comma; the reason when it is none.
std::variant<SweepRange, std::string> parseSweep(std::string_view text);

// The value at point i (0 to steps), free of the binary remainder of the division, so that a
// sweep from 0,1 by 0,1 reads 0,3 and not 0,30000000000000004.
double sweepValue(const SweepRange& s, int i);

// One point of a sweep: the value and the case calculated at it (a value the input does not
// take, such as 2,5 hairpins, ends in "Invalid data" with the reason).
struct SweepPoint {
    double value = 0;
    CaseRun run;
};

// The case with the input set to `value`, as a box of the main window would hold it (decimal
// comma); the reason when the input does not take the value.
std::optional<std::string> setSweepValue(CaseData& c, const SweepInput& input, double value);

}  // namespace zano
