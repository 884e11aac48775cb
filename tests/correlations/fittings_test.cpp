// The fittings' losses against the values their sources give, in
// tests/correlations/golden/fittings.txt (each row's source is named there).
#include "correlations/fittings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "base/errors.h"
#include "golden_text.h"

namespace zano {
namespace {

std::string shown(const char* format, double v) {
    char text[40];
    std::snprintf(text, sizeof text, format, v);
    return text;
}

std::string answer(const std::string& op, const std::vector<double>& a) {
    try {
        if (op == "crane-ft") return shown("%.3f", craneTurbulentFriction(a[0], a[1]));
        if (op == "crane-bend") return shown("%.6g", craneBendK(a[0], 1, static_cast<int>(a[1])));
        if (op == "bend-laminar") {
            const double infinite = returnBendK(1.5, 1, 1e300, 4.572e-5);
            return shown("%.6g", (returnBendK(1.5, 1, a[0], 4.572e-5) - infinite) * a[0]);
        }
        if (op == "kern-annulus") return shown("%g", annulusReturnHeads(static_cast<int>(a[0])));
        if (op == "nozzles") return shown("%g", nozzleHeads(a[0]));
        if (op == "annulus" || op == "inner") {
            const StreamFittings s{op == "annulus",        a[0], a[1], a[2], a[3], a[4],
                                   static_cast<int>(a[5]), a[6], a[7], a[8]};
            const FittingLosses f = fittingLosses(s);
            return shown("%.6g", f.returns) + " " + shown("%.6g", f.nozzles) + " " +
                   shown("%.6g", f.nozzleVelocity);
        }
    } catch (const CalcError& e) {
        return "Invalid data: " + e.detail();
    }
    return "unknown operation";
}

TEST(Fittings, AnswerTheGoldenTable) {
    const std::string file = "correlations/golden/fittings.txt";
    const std::string out =
        golden_text::table(file, [](const std::string& op, const std::string& argument) {
            std::istringstream in(argument);
            std::vector<double> a;
            for (std::string word; in >> word;) a.push_back(std::strtod(word.c_str(), nullptr));
            return answer(op, a);
        });
    EXPECT_EQ(golden_text::mismatch(file, out), "");
}

}  // namespace
}  // namespace zano
