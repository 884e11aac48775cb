#pragma once

#include <limits>
#include <span>

#include "records/correlation_set.h"

// Every film, friction and pressure-drop rule of the calculation declared in one table, as a
// reference library declares its correlations: its name, its equation, its source and the
// ground it was fitted on. The manual's table of rules is written from this one.
namespace zano {

// The flow-regime bounds every rule that switches with the Reynolds number shares: laminar
// below the first, turbulent from the second (the classic film rule counts 10 000 itself as
// transition), transition between.
inline constexpr double kReLaminarEnd = 2300, kReTurbulentStart = 10000;

enum class Rule {
    ClassicLaminar,
    ClassicTransition,
    ClassicTurbulent,
    TubeLaminar,
    TubeTurbulent,
    AnnulusLaminar,
    AnnulusTurbulent,
    RefinedTransition,
    KernLaminar,
    KernTransition,
    KernTurbulent,
    WallLaminar,
    WallLiquid,
    WallGas,
    LaminarFriction,
    Colebrook,
    KernFriction,
    DarcyWeisbach,
    CraneBend,
    ReturnBendLaminar,
    AnnulusReturns,
    Nozzles,
};

// A closed range of a dimensionless group; an open end is infinite.
struct GroupRange {
    double low = -std::numeric_limits<double>::infinity();
    double high = std::numeric_limits<double>::infinity();
    bool bounded() const { return low != -high || high != std::numeric_limits<double>::infinity(); }
    bool holds(double x) const { return x >= low && x <= high; }
    bool roundTubeOnly() const { return low == 0 && high == 0; }
};

// The fluids a rule was fitted on.
enum class Fluids { Any, Liquids, Gases };

struct RuleDeclaration {
    Rule rule;
    const char* name;      // "Sieder and Tate, turbulent": how a note names it
    const char* equation;  // plain text, the symbols of the manual
    const char* source;    // author, year, edition, section or equation
    GroupRange re, pr, lOverD, diameterRatio, viscosityRatio;  // mu / mu_w
    Fluids fluids = Fluids::Any;
    const char* remark = "";  // what else bounds it, in words
};

// The table, in the order the manual shows it.
std::span<const RuleDeclaration> correlationRules();
const RuleDeclaration& declarationOf(Rule rule);

// The Nusselt rule a side takes at its Reynolds number, by the set and the side.
Rule filmRule(CorrelationSet set, bool annulus, double re);
// The refined set's wall correction at that Reynolds number, for a gas or a liquid.
Rule wallRule(double re, bool gas);
// The friction factor's rule at that Reynolds number, by the set.
Rule frictionRule(CorrelationSet set, double re);

}  // namespace zano
