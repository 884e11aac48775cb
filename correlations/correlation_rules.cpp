#include "correlations/correlation_rules.h"

#include <iterator>

#include "base/errors.h"

namespace zano {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr GroupRange kAny{};
constexpr GroupRange kLaminar{-kInf, kReLaminarEnd};
constexpr GroupRange kTransition{kReLaminarEnd, kReTurbulentStart};
// The diameter ratio of a round tube: a rule fitted on tubes alone.
constexpr GroupRange kRoundTube{0, 0};
// The wall viscosity ratios Sieder and Tate's liquids covered.
constexpr GroupRange kSiederTateRatio{0.0044, 9.75};

constexpr RuleDeclaration kRules[] = {
    {Rule::ClassicLaminar,
     "Sieder and Tate (laminar)",
     "Nu = max(3.66, 1.86 (Re Pr D/L)^(1/3) (mu/mu_w)^0.14)",
     "Sieder and Tate (1936), Ind. Eng. Chem. 28(12), 1429-1435; range as Cengel and Ghajar, "
     "Heat and Mass Transfer, 5th ed. (2015), sect. 8-5",
     kLaminar,
     {0.48, 16700},
     kAny,
     kRoundTube,
     kSiederTateRatio,
     Fluids::Liquids,
     "where 1.86 (Re Pr D/L)^(1/3) (mu/mu_w)^0.14 falls below 3.66, the fully developed value"},
    {Rule::ClassicTransition,
     "Sieder and Tate (transition)",
     "Nu = Nu_lam + (Re - 2300) / 7700 (Nu_turb - Nu_lam)",
     "none published: an engineering interpolation between the laminar and turbulent rules",
     kTransition,
     {0.7, 16700},
     kAny,
     kRoundTube,
     kSiederTateRatio,
     Fluids::Liquids,
     "real coefficients scatter widely in transition"},
    {Rule::ClassicTurbulent,
     "Sieder and Tate (turbulent)",
     "Nu = 0.027 Re^0.8 Pr^(1/3) (mu/mu_w)^0.14",
     "Sieder and Tate (1936); range as Incropera and DeWitt, Fundamentals of Heat and Mass "
     "Transfer, 6th ed. (2007), eq. 8.61",
     {kReTurbulentStart, kInf},
     {0.7, 16700},
     {10, kInf},
     kAny,
     kSiederTateRatio,
     Fluids::Liquids,
     "for gases 0.023 fits better (Colburn); the refined set treats them"},
    {Rule::TubeLaminar,
     "VDI G1 (laminar tube)",
     "Nu = [3.66^3 + 0.7^3 + (1.615 X^(1/3) - 0.7)^3 + ((2/(1 + 22 Pr))^(1/6) X^(1/2))^3]^(1/3), "
     "X = Re Pr d/L",
     "Gnielinski, VDI Heat Atlas, 2nd ed. (2010), ch. G1, sect. 3.1 (developing flow, constant "
     "wall temperature)",
     kLaminar,
     {0.1, 1000},
     kAny,
     kAny,
     kAny},
    {Rule::TubeTurbulent,
     "Gnielinski (tube)",
     "Nu = (f/8)(Re - 1000) Pr / [1 + 12.7 (f/8)^(1/2) (Pr^(2/3) - 1)] [1 + (d/L)^(2/3)], "
     "f = (0.790 ln Re - 1.64)^-2",
     "Gnielinski (1976), Int. Chem. Eng. 16(2), 359-368; Petukhov's friction factor and range as "
     "Incropera and DeWitt, 6th ed. (2007), eqs. 8.62 and 8.21",
     {kReTurbulentStart, 5e6},
     {0.5, 2000},
     {1, kInf},
     kAny,
     kAny},
    {Rule::AnnulusLaminar,
     "VDI G2 (laminar annulus)",
     "Nu = [Nu_ii^3 + (f_g X^(1/3))^3 + ((2/(1 + 22 Pr))^(1/6) X^(1/2))^3]^(1/3), "
     "Nu_ii = 3.66 + 1.2 a^-0.8, f_g = 1.615 (1 + 0.14 a^-1/2), a = d_e/D_i",
     "Gnielinski, VDI Heat Atlas, 2nd ed. (2010), ch. G2, sect. 2 (inner wall heated, outer "
     "wall adiabatic)",
     kLaminar,
     {0.1, 1000},
     kAny,
     {0, 1},
     kAny},
    {Rule::AnnulusTurbulent,
     "Gnielinski (annulus)",
     "Nu = (f/8) Re Pr / [k_1 + 12.7 (f/8)^(1/2) (Pr^(2/3) - 1)] [1 + (D_h/L)^(2/3)] "
     "0.75 a^-0.17, f = (1.8 log10 Re* - 1.5)^-2",
     "Gnielinski (2009), Heat Transfer Eng. 30(6), 431-436; VDI Heat Atlas, 2nd ed. (2010), "
     "ch. G2, sect. 3",
     {kReTurbulentStart, 1e6},
     {0.1, 1000},
     {1, kInf},
     {0, 1},
     kAny},
    {Rule::RefinedTransition,
     "VDI G1 (transition)",
     "Nu = (1 - g) Nu_lam(2300) + g Nu_turb(10^4), g = (Re - 2300) / 7700",
     "Gnielinski, VDI Heat Atlas, 2nd ed. (2010), ch. G1, sect. 4.2",
     kTransition,
     {0.5, 1000},
     {1, kInf},
     kAny,
     kAny},
    {Rule::KernLaminar,
     "Kern (laminar)",
     "Nu = 1.86 (Re Pr D/L)^(1/3) (mu/mu_w)^0.14; the annulus on D_e = (D_2^2 - D_1^2)/D_1",
     "Kern, Process Heat Transfer (1950), ch. 6, eq. 6.1 and Fig. 24 (Sieder and Tate 1936); "
     "range as Cengel and Ghajar, 5th ed. (2015), sect. 8-5",
     kLaminar,
     {0.48, 16700},
     kAny,
     kAny,
     kSiederTateRatio,
     Fluids::Any,
     "no floor at the fully developed 3.66, as the book's curve has none"},
    {Rule::KernTransition,
     "Hausen (transition)",
     "Nu = max(Nu_lam, 0.116 (Re^(2/3) - 125) Pr^(1/3) [1 + (D/L)^(2/3)] (mu/mu_w)^0.14)",
     "Hausen (1943), Z. VDI Beih. Verfahrenstech. 4, 91-98, for the transition of Kern's "
     "heat-transfer curve (1950, Fig. 24)",
     kTransition,
     {0.6, 1000},
     kAny,
     kAny,
     kSiederTateRatio,
     Fluids::Any,
     "within 6 % of the curve as Sinnott, Coulson and Richardson, vol. 6, 4th ed. (2005), "
     "Fig. 12.23, draws it from Re 6000 (L/D 48 to 240); up to 15 % apart below that"},
    {Rule::KernTurbulent,
     "Kern (turbulent)",
     "Nu = 0.027 Re^0.8 Pr^(1/3) (mu/mu_w)^0.14; the annulus on D_e = (D_2^2 - D_1^2)/D_1",
     "Kern, Process Heat Transfer (1950), ch. 6, eqs. 6.2 and 6.3 and Fig. 24 (Sieder and "
     "Tate 1936); range as Incropera and DeWitt, 6th ed. (2007), eq. 8.61",
     {kReTurbulentStart, kInf},
     {0.7, 16700},
     kAny,
     kAny,
     kSiederTateRatio,
     Fluids::Any,
     "no entrance factor, as the book takes none"},
    {Rule::WallLaminar, "Sieder and Tate (wall)", "Nu x (mu/mu_w)^0.14", "Sieder and Tate (1936)",
     kLaminar, kAny, kAny, kAny, kSiederTateRatio, Fluids::Liquids},
    {Rule::WallLiquid,
     "Petukhov (wall)",
     "Nu x (mu/mu_w)^0.11 heated, (mu/mu_w)^0.25 cooled",
     "Petukhov (1970), Adv. Heat Transfer 6, 503-564; VDI Heat Atlas, 2nd ed. (2010), ch. G1, "
     "sect. 5",
     {kReLaminarEnd, kInf},
     kAny,
     kAny,
     kAny,
     {0.025, 12.5},
     Fluids::Liquids},
    {Rule::WallGas,
     "Gnielinski (gas, wall)",
     "Nu x (T_b/T_w)^0.45 heated, 1 cooled",
     "Gnielinski, VDI Heat Atlas, 2nd ed. (2010), ch. G1, sect. 5",
     {kReLaminarEnd, kInf},
     kAny,
     kAny,
     kAny,
     kAny,
     Fluids::Gases,
     "T in kelvin, 0.5 <= T_b/T_w <= 1"},
    {Rule::LaminarFriction, "Hagen and Poiseuille", "f = 64 / Re",
     "Hagen (1839), Poiseuille (1840); White, Fluid Mechanics, 7th ed. (2011), sect. 6.4", kLaminar,
     kAny, kAny, kRoundTube, kAny, Fluids::Any,
     "an annulus's own f Re is up to 1.5 times higher (White, sect. 6.6)"},
    {Rule::Colebrook,
     "Colebrook and White",
     "1/f^(1/2) = -2 log10(2.51 / (Re f^(1/2)) + (e/D) / 3.71)",
     "Colebrook (1939), J. Inst. Civ. Eng. 11(4), 133-156",
     {4000, 1e8},
     kAny,
     kAny,
     kAny,
     kAny,
     Fluids::Any,
     "taken from Re 2300; relative roughness e/D 0 to 0.05"},
    {Rule::KernFriction,
     "Kern (friction)",
     "f = 4 (0.0035 + 0.264 Re^-0.42), Darcy (Kern's Fanning factor in brackets); the annulus on "
     "D_2 - D_1",
     "Kern, Process Heat Transfer (1950), eqs. 3.47b and 6.4",
     {kReLaminarEnd, kInf},
     kAny,
     kAny,
     kAny,
     kAny,
     Fluids::Any,
     "commercial steel pipe, its roughness in the constants; 64/Re below Re 2300"},
    {Rule::DarcyWeisbach, "Darcy and Weisbach", "dp = f (L/D) rho v^2 / 2",
     "Weisbach (1845), Darcy (1857); White, Fluid Mechanics, 7th ed. (2011), sect. 6.4", kAny, kAny,
     kAny, kAny, kAny},
    {Rule::CraneBend, "Crane (bends)",
     "K = (n - 1)(0.25 pi f_T r/d + 0.5 K_90) + K_90, f_T = 0.25 / [log10(e / (3.7 d))]^2",
     "Crane TP-410 (2009), pp. A-26 and A-29 (eq. 2-20 of the 1988 edition)", kAny, kAny, kAny,
     kAny, kAny, Fluids::Any, "r/d 1 to 20, the rows of Crane's table"},
    {Rule::ReturnBendLaminar, "Hooper (return bend, laminar)", "K = 1000 / Re",
     "Hooper (1981), Chem. Eng. 88(17), 96-100; Darby (1999)", kAny, kAny, kAny, kAny, kAny},
    {Rule::AnnulusReturns, "Kern (annulus returns)", "K = 1 per hairpin",
     "Kern, Process Heat Transfer (1950), ch. 6, Example 6.1", kAny, kAny, kAny, kAny, kAny},
    {Rule::Nozzles, "Ray and Das (nozzles)", "K = 1.0 + 0.5 turbulent, 3 laminar (Re < 2300)",
     "Ray and Das, Process Equipment and Plant Design (2020), sect. 3.2", kAny, kAny, kAny, kAny,
     kAny, Fluids::Any, "laminar from Re 100"},
};

}  // namespace

std::span<const RuleDeclaration> correlationRules() {
    return kRules;
}

const RuleDeclaration& declarationOf(Rule rule) {
    for (const RuleDeclaration& d : kRules)
        if (d.rule == rule) return d;
    invalidData("a correlation has no declaration");
}

Rule filmRule(CorrelationSet set, bool annulus, double re) {
    if (set == CorrelationSet::Classic) {
        if (re < kReLaminarEnd) return Rule::ClassicLaminar;
        return re > kReTurbulentStart ? Rule::ClassicTurbulent : Rule::ClassicTransition;
    }
    if (set == CorrelationSet::Textbook) {
        if (re < kReLaminarEnd) return Rule::KernLaminar;
        return re < kReTurbulentStart ? Rule::KernTransition : Rule::KernTurbulent;
    }
    if (re < kReLaminarEnd) return annulus ? Rule::AnnulusLaminar : Rule::TubeLaminar;
    if (re < kReTurbulentStart) return Rule::RefinedTransition;
    return annulus ? Rule::AnnulusTurbulent : Rule::TubeTurbulent;
}

Rule wallRule(double re, bool gas) {
    if (re < kReLaminarEnd) return Rule::WallLaminar;
    return gas ? Rule::WallGas : Rule::WallLiquid;
}

Rule frictionRule(CorrelationSet set, double re) {
    if (re < kReLaminarEnd) return Rule::LaminarFriction;
    return set == CorrelationSet::Textbook ? Rule::KernFriction : Rule::Colebrook;
}

}  // namespace zano
