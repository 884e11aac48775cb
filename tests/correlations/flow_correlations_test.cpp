// Flow groups, Nusselt numbers, friction factor, pressure drop and the log-mean difference
// against the independently worked values of tests/correlations/golden/flow_correlations.txt.
#include <gtest/gtest.h>

#include <vector>

#include "base/errors.h"
#include "correlations/film_coefficients.h"
#include "correlations/flow_groups.h"
#include "correlations/log_mean.h"
#include "correlations/pressure_drop.h"
#include "golden_text.h"

namespace zano {
namespace {

std::string answer(const std::string& op, const std::vector<double>& a) {
    using golden_text::shown;
    const auto f = [](double v) { return static_cast<float>(v); };
    try {
        if (op == "velocita") return shown(velocita(f(a[0]), f(a[1]), a[2]));
        if (op == "reynolds") return shown(reynolds(a[0], f(a[1]), f(a[2]), a[3]));
        if (op == "prandtl") return shown(prandtl(a[0], a[1], a[2]));
        if (op == "nusselt") return shown(nusselt(a[0], a[1], a[2], a[3], a[4]));
        if (op == "friction") return shown(frictionFactor(a[0], 0.02f, a[1]));
        if (op == "perdita")
            return shown(perditaCarico(a[0], f(a[1]), f(a[2]), a[3], a[4], f(a[5])));
        if (op == "log10") return shown(log10(a[0]));
        if (op == "dtml-contro" || op == "dtml-equi")
            return shown(
                dtml(a[0], a[1], a[2], a[3],
                     op == "dtml-contro" ? Arrangement::Countercurrent : Arrangement::Equicurrent));
    } catch (const CalcError& e) {
        return "Invalid data: " + e.detail();
    }
    return "unknown operation";
}

TEST(FlowCorrelations, AnswerTheGoldenTable) {
    const std::string file = "correlations/golden/flow_correlations.txt";
    const std::string out =
        golden_text::table(file, [](const std::string& op, const std::string& argument) {
            return answer(op, golden_text::numbers(argument));
        });
    EXPECT_EQ(golden_text::mismatch(file, out), "");
}

}  // namespace
}  // namespace zano
