#include "solver/temperature_profile.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "base/errors.h"
#include "properties/fluid_sides.h"

namespace zano {
namespace {

// Both stream temperatures where the duty Q (kW) has been exchanged, counted from the
// internal fluid's inlet.
struct Streams {
    const CalcState& s;
    double intHin, intSign;  // internal enthalpy = intHin + intSign * Q / intPort
    double estH0, estSign;   // external enthalpy at x = 0, and its change with Q
    double intPort, estPort;

    Streams(const CalcState& state, const ResultsData& r) : s(state) {
        const bool intHot = r.intTin > r.estTin;
        const bool contro = r.controequi == Arrangement::Countercurrent;
        intPort = r.intPort;
        estPort = r.estPort;
        intHin = propHint(s, r.intTin);
        intSign = intHot ? -1 : 1;
        // Countercurrent: at the internal inlet the external fluid leaves.
        estH0 = propHest(s, contro ? r.estTout : r.estTin);
        // The external fluid gains what the internal one gives up; counted against the flow in
        // countercurrent.
        estSign = (intHot != contro) ? 1 : -1;
    }
    double intT(double Q) const { return trovatint(s, intHin + intSign * Q / intPort); }
    double estT(double Q) const { return trovatest(s, estH0 + estSign * Q / estPort); }
    double inverseDifference(double Q) const {
        const double dT = std::fabs(intT(Q) - estT(Q));
        if (!(dT > 0))
            invalidData("the temperature profile cannot be drawn: the two streams touch");
        return 1 / dT;
    }
};

// Adaptive Simpson on [a, b]: the integrand 1/dT grows steeply where the streams approach.
double simpson(const Streams& f, double a, double b, double fa, double fm, double fb, double whole,
               int depth) {
    const double m = (a + b) / 2;
    const double lm = f.inverseDifference((a + m) / 2), rm = f.inverseDifference((m + b) / 2);
    const double left = (m - a) / 6 * (fa + 4 * lm + fm);
    const double right = (b - m) / 6 * (fm + 4 * rm + fb);
    if (depth <= 0 || std::fabs(left + right - whole) <= 1e-10 * std::fabs(left + right))
        return left + right + (left + right - whole) / 15;
    return simpson(f, a, m, fa, lm, fm, left, depth - 1) +
           simpson(f, m, b, fm, rm, fb, right, depth - 1);
}

// Both streams' temperatures at a place in a hairpin.
struct Ends {
    double intT = 0, estT = 0;
};

// A hairpin's ends as drawn, left then right: the series stream enters at the left, the other
// stream at the right in countercurrent and at the left in equicurrent.
std::pair<Ends, Ends> endsOf(const HairpinFigures& f, bool seriesInternal, bool contro) {
    const bool intFromLeft = seriesInternal || !contro;
    const bool estFromLeft = !seriesInternal || !contro;
    return {{intFromLeft ? f.intTin : f.intTout, estFromLeft ? f.estTin : f.estTout},
            {intFromLeft ? f.intTout : f.intTin, estFromLeft ? f.estTout : f.estTin}};
}

// Both temperatures at the fraction t of a hairpin's length from its left end, on the log-mean
// model that calculated it: the difference between the streams changes exponentially along it,
// and each temperature in step with the heat exchanged, which changes that difference linearly.
Ends alongHairpin(const Ends& left, const Ends& right, double t) {
    const double dl = left.intT - left.estT, dr = right.intT - right.estT;
    if (t >= 1) return right;
    double f = t;  // the same difference at both ends: straight lines
    if (dl * dr > 0 && std::fabs(dr - dl) > 1e-9 * std::fabs(dl))
        f = (dl * std::pow(dr / dl, t) - dl) / (dr - dl);
    return {left.intT + f * (right.intT - left.intT), left.estT + f * (right.estT - left.estT)};
}

// About this many points along the hairpins drawn, at least the ends of each.
constexpr int kBuiltPoints = 200;

}  // namespace

BuiltProfile builtProfile(const Hairpins& h, Arrangement a) {
    BuiltProfile p;
    const int P = std::max(h.intBranches, h.estBranches);
    const int n = static_cast<int>(h.network.size());
    if (P == 1 || n == 0) return p;
    const bool banked = h.intBranches == h.estBranches;
    const bool seriesInternal = banked || h.intBranches == 1;
    const bool contro = a == Arrangement::Countercurrent;
    // A bank calculated whole is one figure for all its hairpins.
    const double stretch = 2 * hairpinLegOf(h) * (banked && n == 1 ? h.count / P : 1);
    const int steps = std::max(1, kBuiltPoints / n), perBranch = banked ? n : n / P;
    p.banks = banked ? P : 0;
    p.length = n * stretch;
    p.fromInternalInlet = seriesInternal;
    p.curves.push_back({seriesInternal, 0, {}});
    for (int j = 0; j < (banked ? 1 : P); ++j)
        p.curves.push_back({!seriesInternal, banked ? 0 : j + 1, {}});
    for (int i = 0; i < n; ++i) {
        const auto [left, right] = endsOf(h.network[i], seriesInternal, contro);
        BuiltCurve& other = p.curves[1 + i / perBranch];
        for (int k = 0; k <= steps; ++k) {
            const double t = static_cast<double>(k) / steps, x = (i + t) * stretch;
            const Ends e = alongHairpin(left, right, t);
            // Each hairpin's first point is the last one's of the hairpin before on the path.
            if (k > 0 || i == 0)
                p.curves[0].points.push_back({x, seriesInternal ? e.intT : e.estT});
            if (k > 0 || i % perBranch == 0)
                other.points.push_back({x, seriesInternal ? e.estT : e.intT});
        }
    }
    // Countercurrent, the other stream runs against x: its points from its inlet.
    if (contro)
        for (std::size_t j = 1; j < p.curves.size(); ++j)
            std::reverse(p.curves[j].points.begin(), p.curves[j].points.end());
    return p;
}

TemperatureProfile temperatureProfile(const CalcState& s, const ResultsData& r, int n) {
    if (n < 1) invalidData("a temperature profile needs at least one step");
    const Streams f(s, r);
    const double q = r.q;
    const double perUnitLength =
        static_cast<double>(r.U) * s.geo.surfacePerMetre() / 1000;  // kW/(m K)
    if (!(q > 0) || !(perUnitLength > 0) || !(r.L > 0))
        invalidData("the temperature profile needs a positive capacity, coefficient and length");

    // The position of each duty node, integrated on at least 200 steps of duty.
    const int steps = std::max(2000, 10 * n);
    std::vector<double> Q(steps + 1), x(steps + 1);
    double fa = f.inverseDifference(0);
    for (int k = 0; k < steps; ++k) {
        const double a = q * k / steps, b = q * (k + 1) / steps;
        const double fm = f.inverseDifference((a + b) / 2), fb = f.inverseDifference(b);
        const double whole = (b - a) / 6 * (fa + 4 * fm + fb);
        Q[k + 1] = b;
        x[k + 1] = x[k] + simpson(f, a, b, fa, fm, fb, whole, 12) / perUnitLength;
        fa = fb;
    }
    TemperatureProfile p;
    p.scale = finite(r.L / x[steps], "the scale of the temperature profile");

    // Evenly spaced positions; the duty at each by linear interpolation between the nodes.
    p.points.reserve(n + 1);
    std::size_t k = 0;
    for (int j = 0; j <= n; ++j) {
        const double xs = static_cast<double>(r.L) * j / n;
        const double xi = xs / p.scale;  // on the integrated scale
        while (k + 1 < static_cast<std::size_t>(steps) && x[k + 1] < xi) ++k;
        const double t = std::clamp((xi - x[k]) / (x[k + 1] - x[k]), 0.0, 1.0);
        const double Qj = j == n ? q : Q[k] + t * (Q[k + 1] - Q[k]);
        p.points.push_back({xs, f.intT(Qj), f.estT(Qj)});
    }
    return p;
}

}  // namespace zano
