#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zano {

// What the fouling factors cost: the clean coefficient of the same final state and the
// allowance U_clean / U - 1, which is also the extra surface they require.
struct DesignMargins {
    double Uclean = 0;            // W/(m^2 K)
    double foulingAllowance = 0;  // %
};

// A stream's pressure drop as built, kPa: its straight pipe over its own path, the returns (the
// inner pipe's bends or the annulus's return heads) and its two nozzles.
struct BuiltDrop {
    double straight = 0, returns = 0, nozzles = 0, total = 0;
    double nozzleVelocity = 0;        // m/s
    double velocity = 0;              // m/s in the pipe, with its branch's flow
    std::optional<double> allowable;  // kPa, as the case sets it
};

// One hairpin (or one bank) of a network as calculated.
struct HairpinFigures {
    double intTin = 0, intTout = 0, estTin = 0, estTout = 0;  // degC
    double q = 0;                                             // kW
    double Ua = 0;                                            // W/K, U times the surface
};

// Standard hairpins in series, each two legs of `legLength` m, that give at least `length` m.
struct Hairpins {
    int count = 0;
    double providedLength = 0;  // m
    // The hairpins as built, rated: their surface beyond what the duty needs (negative: short of
    // it) and the capacity they give, with the flows the case found or, with the length given and
    // an outlet given, with the flow that the hairpins built carry to that outlet.
    std::optional<double> overSurface;   // %
    std::optional<float> ratedCapacity;  // kW
    // Each stream's branches, the outlets of the hairpins as built (the branches' mixed) where
    // they differ from the case's, and with a stream in branches the true mean temperature
    // difference and its ratio F to the countercurrent log-mean difference.
    int intBranches = 1, estBranches = 1;
    std::optional<double> intToutBuilt, estToutBuilt;  // degC
    // With the length given and a stream's outlet given, that stream's flow as the hairpins built
    // carry it to the outlet given.
    std::optional<float> intPortBuilt, estPortBuilt;  // kg/s
    std::optional<double> meanDifference;             // K
    std::optional<double> F;
    std::optional<BuiltDrop> intDrop, estDrop;
    // Rated as a network (a stream in branches, or the properties hairpin by hairpin): its
    // hairpins in the series stream's order; with both streams in the same branches, one bank's
    // (a single one when the bank is calculated whole).
    std::vector<HairpinFigures> network;
};
// The leg length of the hairpins, m.
inline double hairpinLegOf(const Hairpins& h) {
    return h.count > 0 ? h.providedLength / (2.0 * h.count) : 0;
}

// More than kMaxHairpins are refused as too many.
inline constexpr double kMaxHairpins = 1'000'000;
Hairpins hairpinsFor(double length, double legLength);

// The hairpin length of a case as a number: nullopt when none is set; Invalid data when the
// text is not a positive number or lies outside kMinHairpinLength to kMaxHairpinLength.
inline constexpr double kMinHairpinLength = 0.1;  // m
// The longest leg of a hairpin section that is built and shipped is 12 m (40 ft); beyond 50 m
// a length is a slip of the pen (an exponent, a unit), not a hairpin.
inline constexpr double kMaxHairpinLength = 50;  // m
std::optional<double> hairpinLeg(const std::string& text);

// The number of hairpins a case sets: nullopt when none is; Invalid data when the text is not a
// whole number from 1 to kMaxHairpins.
std::optional<int> hairpinsSet(std::string_view text);

// The parallel branches of a stream that a case sets: 1 (in series through every hairpin) when
// none is; Invalid data when the text is not a whole number from 1 to kMaxBranches.
inline constexpr int kMaxBranches = 100;
int branchesSet(std::string_view text);

// A positive measure a case sets (a bend radius, a nozzle bore, an allowable pressure drop):
// nullopt when none is; Invalid data, naming `what`, when the text is not a number above 0 and
// up to `most`.
std::optional<double> measureSet(std::string_view text, const char* what, double most);

}  // namespace zano
