#include "correlations/overall_coefficient.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "base/errors.h"
#include "correlations/film_coefficients.h"
#include "golden_text.h"
#include "properties/calc_state.h"

namespace zano {
namespace {

// Three rows at 1 bar, -100, 0 and 300 degC, like the user-defined fluid; h = cp T.
FluidTable threeRowTable(double cp, std::vector<double> visc) {
    FluidTable t;
    t.T = {-100, 0, 300};
    t.P = {1, 1, 1};
    t.dens = {1000, 1000, 1000};
    t.cp = {cp, cp, cp};
    t.cond = {0.6, 0.6, 0.6};
    t.visc = std::move(visc);
    t.H = {-100 * cp, 0, 300 * cp};
    return t;
}

// Water-like constant properties on both sides: rho 1000, cp 4.2, k 0.6, mu 0.001.
// Internal: 0.3 kg/s in 3.14159 cm2; external: 0.05 kg/s in 5 cm2.
CalcState constantState() {
    CalcState s;
    s.internal.table = threeRowTable(4.2, {0.001, 0.001, 0.001});
    s.external.table = threeRowTable(4.2, {0.001, 0.001, 0.001});
    s.internal.press = s.external.press = 1;
    s.internal.props.dens = s.external.props.dens = 1000;
    s.internal.props.cp = s.external.props.cp = 4.2;
    s.internal.props.cond = s.external.props.cond = 0.6;
    s.internal.props.visc = s.external.props.visc = 0.001;
    s.geo.intArea = 0.000314159f;
    s.geo.estArea = 0.0005f;
    s.internal.portata = 0.3f;
    s.external.portata = 0.05f;
    s.condTubo = 16;
    return s;
}

constexpr float kDi = 0.02f, kDh = 0.015f, kL = 3.0f;

double overall(const CalcState& s, float de, float L, double tmi, double tme) {
    return overallCoefficient(s.internal, s.external, s.geo.with(kDi, de, kDh, L), s.condTubo,
                              s.tuboName, tmi, tme, CorrelationSet::Classic);
}

// Hand calculation (python3), Pr = 4200 * 0.001 / 0.6 = 7 on both sides:
//  internal: v = 0.3/3.14159e-4/1000 = 0.954930 m/s, Re = 19098.6 (turbulent),
//            Nu = 0.027 Re^0.8 7^(1/3) = 137.3613, hi = Nu 0.6/0.02 = 4120.840167
//  external: v = 0.1 m/s, Re = 1500 (laminar), Gz = 1500 * 7 * 0.015 / 3 = 52.5,
//            Nu = 1.86 Gz^(1/3) = 6.964651, he = Nu 0.6/0.015 = 278.586049
constexpr double kHi = 4120.840166918785, kHe = 278.58604934514864;

TEST(OverallCoefficient, MatchesTheHandCalculation) {
    CalcState plain = constantState(), fouled = plain, viscous = plain, still = plain;
    fouled.internal.sporcamento = 1e-4;
    fouled.external.sporcamento = 2e-4;
    // Viscosities that fall with temperature; the wall lies between the two streams.
    viscous.internal.table = threeRowTable(4.2, {0.004, 0.0018, 0.0003});
    viscous.external.table = threeRowTable(4.2, {0.005, 0.0017, 0.0004});
    viscous.internal.props.visc = 0.0012;
    viscous.external.props.visc = 0.0014;
    still.external.portata = 0;
    const double none = std::nan("");
    const struct {
        const char* name;
        const CalcState& s;
        float de;
        double tmi, tme, hio, he, U, tolerance;
    } rows[] = {
        // 1/U = 1/4120.84 + 1/278.586
        {"no wall, no fouling: the two films in series", plain, kDi, 60, 20, kHi, kHe,
         260.9450700277036, 1e-9},
        // hio = hi * 20/25 = 3296.672 (diameters as singles: 3296.6720107); Rw = 0.0025 / 16 *
        // 25/20 = 1.953125e-4; 1/U = Rw + 1/3296.672 + 1/278.586 + 1e-4 + 2e-4.
        {"wall and fouling add their resistances", fouled, 0.025f, 60, 20, 3296.6720107244228, kHe,
         227.8836655708816, 1e-9},
        // python3, same steps: Tw settles at 66.1331 degC; the first pass (no correction) gave
        // hio 3027.78 and the second 2943.289.
        {"the wall viscosity correction after six passes", viscous, 0.025f, 70, 15,
         2943.153953081557, 278.21413140861165, 242.16371404560348, 1e-7},
        {"a side without flow: the fully developed laminar value", still, kDi, 60, 20, none,
         3.66 * 0.6 / 0.015, none, 1e-4},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const FilmCoefficients f = filmCoefficients(r.s.internal, r.s.external,
                                                    r.s.geo.with(kDi, r.de, kDh, kL), r.tmi, r.tme);
        if (!std::isnan(r.hio)) {
            EXPECT_NEAR(f.hio, r.hio, r.tolerance);
        }
        EXPECT_NEAR(f.he, r.he, r.tolerance);
        if (!std::isnan(r.U)) {
            EXPECT_NEAR(overall(r.s, r.de, kL, r.tmi, r.tme), r.U, r.tolerance);
        }
    }
}

TEST(OverallCoefficient, FaultsAreInvalidDataWithTheirCause) {
    // A name that matches no material and a material whose conductivity is 0 are told apart.
    CalcState noMaterial = constantState(), zeroConductivity = constantState();
    for (CalcState* s : {&noMaterial, &zeroConductivity}) {
        s->condTubo = 0;  // as the driver's reset leaves it
        s->data.materials = {{"Vacuum", 0, 1e-6}};
    }
    proptubo(noMaterial, "Steel");
    proptubo(zeroConductivity, "Vacuum");
    const CalcState valid = constantState();
    const struct {
        const CalcState& s;
        float de, L;
        const char* cause;
    } rows[] = {
        {noMaterial, 0.025f, kL,
         "the wall material has no conductivity (no material of that name)"},
        {zeroConductivity, 0.025f, kL, "the wall material \"Vacuum\" has a conductivity of 0"},
        {valid, kDi, 0.0f, "the Graetz number cannot be computed: the length is zero"},
    };
    for (const auto& r : rows) {
        try {
            overall(r.s, r.de, r.L, 60, 20);
            ADD_FAILURE() << r.cause;
        } catch (const CalcError& e) {
            EXPECT_EQ(e.detail(), r.cause);
        }
    }
}

// Every case of tests/correlations/golden/exchanger_relations.txt: the relaxation weight on
// given heat capacity rates, the maximum duty on h = 4.2 T (internal) and 2 T (external).
TEST(ExchangerRelations, AnswerTheGoldenTable) {
    const std::string file = "correlations/golden/exchanger_relations.txt";
    const std::string out =
        golden_text::table(file, [](const std::string& op, const std::string& argument) {
            const std::vector<double> n = golden_text::numbers(argument);
            const auto f = [&](std::size_t i) { return static_cast<float>(n.at(i)); };
            CalcState s;
            s.internal.table = threeRowTable(4.2, {0.001, 0.001, 0.001});
            s.external.table = threeRowTable(2, {0.001, 0.001, 0.001});
            s.internal.press = s.external.press = 1;
            try {
                if (op == "xxtt") {
                    s.external.portata = f(0), s.external.props.cp = n[1];
                    s.internal.portata = f(2), s.internal.props.cp = n[3];
                    return golden_text::shown(xxtt(s.internal, s.external, f(4), f(5)));
                }
                s.external.props.cp = n.at(0), s.internal.props.cp = n.at(1);
                const bool contro = argument.ends_with("contro");
                const float q =
                    Qmax(s.internal, s.external, n[2], n[3], n[4], n[5], f(6), f(7),
                         contro ? Arrangement::Countercurrent : Arrangement::Equicurrent);
                char text[40];
                std::snprintf(text, sizeof text, "%.9g", static_cast<double>(q));
                return std::string(text);
            } catch (const CalcError& e) {
                return "Invalid data: " + e.detail();
            }
        });
    EXPECT_EQ(golden_text::mismatch(file, out), "");
}

}  // namespace
}  // namespace zano
