#include "solver/hand_check.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "base/errors.h"
#include "base/number_text.h"
#include "correlations/log_mean.h"
#include "solver/temperature_profile.h"

namespace zano {
namespace {

// A stream's heat-capacity rate, kW/K: its mean specific heat over its own range, where the
// enthalpies count what a constant-cp formula would miss (a change of phase, say). A stream
// whose temperature does not change has no range: its specific heat at the mean stands for it.
double capacityRate(float flow, double tin, double tout, const StreamHeat& heat) {
    const double dt = std::fabs(tout - tin);
    return flow * (dt > 0 ? heat.enthalpyChange / dt : heat.cpAtMean);
}

SideProperties sideProperties(const Stream& st, double wallT) {
    return {st.props.dens, st.props.cp, st.props.cond, st.props.visc, st.wallViscosity(wallT)};
}

// A temperature counts as crossed beyond this much, K: less is rounding at streams that touch.
constexpr double kCrossTolerance = 1e-6;

// The first place where the difference d (cold less hot) rises above the tolerance along a
// path of points (x, d), interpolated from the point before it.
std::optional<double> firstCross(const std::vector<std::pair<double, double>>& path) {
    for (std::size_t j = 0; j < path.size(); ++j) {
        const auto [x, d] = path[j];
        if (!(d > kCrossTolerance)) continue;
        if (j == 0 || path[j - 1].second > 0) return x;
        const auto [x0, d0] = path[j - 1];
        return x0 + (x - x0) * (-d0) / (d - d0);
    }
    return std::nullopt;
}

// A curve's temperature at x, linearly between its points (in order of x).
double temperatureAt(const BuiltCurve& c, double x) {
    const auto& pts = c.points;
    const auto after = std::lower_bound(
        pts.begin(), pts.end(), x, [](const BuiltCurve::Point& p, double v) { return p.x < v; });
    if (after == pts.begin()) return pts.front().t;
    if (after == pts.end()) return pts.back().t;
    const auto before = after - 1;
    const double span = after->x - before->x;
    return span > 0 ? before->t + (x - before->x) / span * (after->t - before->t) : after->t;
}

}  // namespace

HandCheck handCheckFigures(const ResultsData& r, const StreamHeat& internal,
                           const StreamHeat& external) {
    HandCheck h;
    const bool intHot = r.intTin > r.estTin;
    const double hotIn = intHot ? r.intTin : r.estTin, coldIn = intHot ? r.estTin : r.intTin;
    h.logMean = intHot ? dtml(r.intTin, r.intTout, r.estTin, r.estTout, r.controequi)
                       : dtml(r.estTin, r.estTout, r.intTin, r.intTout, r.controequi);
    const double ua = static_cast<double>(r.U) * r.a / 1000;  // kW/K
    h.meanDifference = r.q / ua;
    h.intRate = capacityRate(r.intPort, r.intTin, r.intTout, internal);
    h.estRate = capacityRate(r.estPort, r.estTin, r.estTout, external);
    // On a tie the external stream is Cmin, as in the calculation's own checks.
    const double cmin = std::min(h.intRate, h.estRate), cmax = std::max(h.intRate, h.estRate);
    h.rateRatio = cmin / cmax;
    h.ntu = ua / cmin;
    // The textbook's maximum: Cmin from its inlet to the other inlet at a constant mean cp. The
    // calculation checks a capacity given against another, from the Cmin fluid's own enthalpies
    // up to the other inlet (countercurrent) or only up to the other outlet (equicurrent): the
    // same as this one for a constant cp in countercurrent, less than it in equicurrent, and
    // apart from it wherever the Cmin fluid's cp changes between its outlet and the other inlet.
    h.maxDuty = cmin * (hotIn - coldIn);
    h.effectiveness = r.q / h.maxDuty;
    return h;
}

HandCheck handCheck(const CalcState& s, const ResultsData& r, double wallT) {
    const auto heat = [](const Stream& st, double tin, double tout) {
        return StreamHeat{std::fabs(st.enthalpy(tout) - st.enthalpy(tin)), st.props.cp};
    };
    HandCheck h = handCheckFigures(r, heat(s.internal, r.intTin, r.intTout),
                                   heat(s.external, r.estTin, r.estTout));
    h.internal = sideProperties(s.internal, wallT);
    h.external = sideProperties(s.external, wallT);
    return h;
}

std::optional<double> temperatureCross(const TemperatureProfile& p, bool intHot) {
    std::vector<std::pair<double, double>> path;
    for (const ProfilePoint& pt : p.points)
        path.emplace_back(pt.x, intHot ? pt.estT - pt.intT : pt.intT - pt.estT);
    return firstCross(path);
}

std::optional<double> temperatureCross(const BuiltProfile& p, bool intHot) {
    if (p.curves.empty() || p.curves.front().points.empty()) return std::nullopt;
    const BuiltCurve& series = p.curves.front();
    const bool seriesHot = series.internal == intHot;
    std::optional<double> first;
    for (std::size_t j = 1; j < p.curves.size(); ++j) {
        std::vector<std::pair<double, double>> path;
        for (const BuiltCurve::Point& pt : p.curves[j].points) {
            const double s = temperatureAt(series, pt.x);
            path.emplace_back(pt.x, seriesHot ? pt.t - s : s - pt.t);
        }
        // Against the flow a branch's points run from its inlet at the far end: in order of x.
        if (path.size() > 1 && path.front().first > path.back().first)
            std::reverse(path.begin(), path.end());
        if (const auto x = firstCross(path); x && (!first || *x < *first)) first = x;
    }
    return first;
}

namespace {

// The steps of the profile drawn only for the check, as many as a chart's.
constexpr int kCheckSteps = 200;

std::string crossNote(const char* where, double x) {
    return std::string(where) + ": a temperature cross at " + formatDouble(roundTo(x, 1)) + " m";
}

}  // namespace

void addHandCheck(CaseRun& run, const CalcState& s) {
    if (!run.ok()) return;
    const ResultsData& r = *run.out.results;
    const double wallT = run.out.films ? run.out.films->wallTemperature : 0;
    try {
        run.handCheck = handCheck(s, r, wallT);
    } catch (const CalcError& e) {
        run.notes.push_back("the hand check: " + (e.detail().empty() ? e.what() : e.detail()));
    }
    const bool intHot = r.intTin > r.estTin;
    try {
        const TemperatureProfile p =
            run.profile ? *run.profile : temperatureProfile(s, r, kCheckSteps);
        if (const auto x = temperatureCross(p, intHot))
            run.notes.push_back(crossNote("the profile", *x));
    } catch (const CalcError&) {
        // Streams that touch have no profile: said where one is asked for.
    }
    if (run.hairpins)
        if (const auto x = temperatureCross(builtProfile(*run.hairpins, r.controequi), intHot))
            run.notes.push_back(crossNote("the profile as built", *x));
}

}  // namespace zano
