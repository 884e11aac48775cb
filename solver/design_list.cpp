#include "solver/design_list.h"

#include <cmath>

#include "base/number_text.h"
#include "formats/result_schema.h"
#include "formats/results_export.h"

namespace zano {
namespace {

const char* kPipeNames[2] = {"inner pipe", "annulus"};

}  // namespace

std::string arrangementText(const Candidate& k) {
    const int P = std::max(k.intBranches, k.estBranches);
    if (P == 1) return "series";
    if (k.intBranches == k.estBranches) return "both in " + std::to_string(P);
    return std::string(k.intBranches > 1 ? "inner" : "annulus") + " in " + std::to_string(P);
}

namespace {

std::string number(double v, int decimals) {
    return formatDouble(roundTo(v, decimals));
}

std::string pad(std::string s, std::size_t width, bool right = false) {
    // The width in characters, a multi-byte character counted once.
    std::size_t chars = 0;
    for (const char ch : s) chars += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    if (chars >= width) return s + " ";
    const std::string fill(width - chars, ' ');
    return (right ? fill + s : s + fill) + " ";
}

}  // namespace

std::string brokenText(const BrokenLimit& b) {
    const std::string pipe = kPipeNames[b.pipe];
    switch (b.kind) {
        case BrokenLimit::PressureDrop:
            return pipe + " pressure drop " + number(b.value, 1) + " kPa above " +
                   number(b.bound, 2) + " kPa";
        case BrokenLimit::VelocityLow:
            return pipe + " velocity " + number(b.value, 2) + " m/s below " + number(b.bound, 2) +
                   " m/s";
        case BrokenLimit::VelocityHigh:
            return pipe + " velocity " + number(b.value, 2) + " m/s above " + number(b.bound, 2) +
                   " m/s";
        case BrokenLimit::OverSurface:
            return "over-surface " + number(b.value, 2) + " % below " + number(b.bound, 2) + " %";
        default:
            return "over-surface not known: no leg length gives the duty exactly";
    }
}

namespace {

const char* brokenKey(BrokenLimit::Kind kind) {
    static const char* keys[] = {"pressureDrop", "velocityLow", "velocityHigh", "overSurface",
                                 "overSurfaceUnknown"};
    return keys[kind];
}

std::string textHeader() {
    return pad("#", 4, true) + pad("inner pipe", 20) + pad("annulus pipe", 20) +
           pad("in the inner pipe", 22) + pad("arrangement", 13) + pad("leg m", 6, true) +
           pad("hairpins", 8, true) + pad("surface m²", 10, true) + pad("over %", 7, true) +
           pad("dp inner kPa", 13, true) + pad("dp annulus kPa", 14, true) +
           pad("v inner", 7, true) + pad("v annulus", 9, true) + pad("U W/m²K", 7, true) + "\n";
}

std::string textRow(std::size_t n, const Judged& j) {
    const Candidate& k = j.candidate;
    const CandidateFigures& f = j.figures;
    std::string row = pad(std::to_string(n), 4, true) + pad(k.inner, 20) + pad(k.outer, 20) +
                      pad(k.c.intfluid, 22) + pad(arrangementText(k), 13) +
                      pad(formatDouble(k.leg), 6, true);
    if (!f.calculated) return row + "\n" + std::string(5, ' ') + "failed: " + f.message + "\n";
    const auto dp = [&](int pipe) {
        return number(f.dp[pipe], 1) + "/" + formatDouble(f.allowedDp[pipe]);
    };
    row += pad(std::to_string(f.hairpins), 8, true) + pad(number(f.surface, 2), 10, true) +
           pad(f.overSurface ? number(*f.overSurface, 1) : "-", 7, true) + pad(dp(0), 13, true) +
           pad(dp(1), 14, true) + pad(number(f.velocity[0], 2), 7, true) +
           pad(number(f.velocity[1], 2), 9, true) + pad(number(f.U, 0), 7, true) + "\n";
    std::string broke;
    for (const BrokenLimit& b : f.broken) broke += (broke.empty() ? "" : "; ") + brokenText(b);
    if (!broke.empty()) row += std::string(5, ' ') + "broke: " + broke + "\n";
    return row;
}

std::string limitsText(const CaseData& p, const DesignLimits& l) {
    std::string out = "Limits:";
    for (int s : {0, 1}) {
        const std::string& fluid = s == 0 ? p.intfluid : p.estfluid;
        out += std::string(s == 0 ? " " : "; ") + fluid + " (the case's " +
               (s == 0 ? "internal" : "external") + " fluid) pressure drop " +
               formatDouble(l.allowedDp[s]) + " kPa, velocity " + formatDouble(l.velocity[s].low) +
               " to " + formatDouble(l.velocity[s].high) + " m/s";
    }
    return out + "; over-surface at least " + formatDouble(l.minOverSurface) + " %\n";
}

}  // namespace

const Judged* listedCandidate(const DesignSearch& s, std::size_t n) {
    if (n == 0) return nullptr;
    if (n <= s.feasible.size()) return &s.feasible[n - 1];
    n -= s.feasible.size();
    return n <= s.nearest.size() ? &s.nearest[n - 1] : nullptr;
}

const char* criterionName(Criterion criterion) {
    static const char* names[] = {"surface", "hairpins", "dp", "over-surface"};
    return names[static_cast<int>(criterion)];
}

std::string designText(const DesignSearch& s, const DesignLimits& limits, Criterion criterion) {
    std::string out = "Duty " + s.process.q + " kW, " + s.process.intfluid + " in the case's " +
                      "inner pipe, " + s.process.estfluid + " in its annulus\n" +
                      limitsText(s.process, limits);
    out += std::to_string(s.total) + " candidates, " + std::to_string(s.feasible.size()) +
           " meet every limit; ranked by " + criterionName(criterion) +
           (s.cancelled ? "; cancelled after " + std::to_string(s.done) : std::string()) + "\n\n";
    out += textHeader();
    std::size_t n = 0;
    for (const Judged& j : s.feasible) out += textRow(++n, j);
    if (s.nearest.empty()) return out;
    out += "\nThe nearest that failed, and the limits each broke:\n" + textHeader();
    for (const Judged& j : s.nearest) out += textRow(++n, j);
    return out;
}

namespace {

std::string csvText(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string out = "\"";
    for (char ch : s) out += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return out + "\"";
}

std::string csvRow(std::size_t n, const Judged& j) {
    const Candidate& k = j.candidate;
    const CandidateFigures& f = j.figures;
    std::string row = std::to_string(n) + "," + (f.feasible() ? "feasible" : "failed") + "," +
                      csvText(k.innerStandard) + "," + csvText(k.inner) + "," +
                      csvText(k.outerStandard) + "," + csvText(k.outer) + "," +
                      csvText(k.c.intfluid) + "," + csvText(k.c.estfluid) + "," +
                      std::to_string(k.intBranches) + "," + std::to_string(k.estBranches) + "," +
                      shortestNumber(k.leg);
    const auto num = [&](double v) { return f.calculated ? shortestNumber(v) : std::string(); };
    row += "," + (f.calculated ? std::to_string(f.hairpins) : std::string()) + "," +
           num(f.surface) + "," + (f.overSurface ? shortestNumber(*f.overSurface) : "");
    for (int pipe : {0, 1})
        row += "," + num(f.dp[pipe]) + "," + num(f.allowedDp[pipe]) + "," + num(f.velocity[pipe]);
    std::string broke = f.message;
    for (const BrokenLimit& b : f.broken) broke += (broke.empty() ? "" : "; ") + brokenText(b);
    return row + "," + (f.calculated ? shortestNumber(f.U) : "") + "," + csvText(broke) + "\r\n";
}

}  // namespace

std::string designCsv(const DesignSearch& s) {
    std::string out =
        "Number,Status,Inner standard,Inner pipe,Outer standard,Outer pipe,Inner fluid,"
        "Annulus fluid,Inner branches,Annulus branches,Leg [m],Hairpins,Surface [m^2],"
        "Over-surface [%],Pressure drop inner [kPa],Allowable inner [kPa],Velocity inner [m/s],"
        "Pressure drop annulus [kPa],Allowable annulus [kPa],Velocity annulus [m/s],"
        "U [W/(m^2 K)],Failed on\r\n";
    std::size_t n = 0;
    for (const Judged& j : s.feasible) out += csvRow(++n, j);
    for (const Judged& j : s.nearest) out += csvRow(++n, j);
    return out;
}

namespace {

std::string jsonPipe(const Candidate& k, const CandidateFigures& f, int pipe) {
    const auto num = [&](double v) { return f.calculated ? shortestNumber(v) : "null"; };
    const bool in = pipe == 0;
    return std::string("{\"standard\": ") + jsonString(in ? k.innerStandard : k.outerStandard) +
           ", \"designation\": " + jsonString(in ? k.inner : k.outer) +
           ", \"fluid\": " + jsonString(in ? k.c.intfluid : k.c.estfluid) +
           ", \"branches\": " + std::to_string(in ? k.intBranches : k.estBranches) +
           ", \"pressureDropBuilt_kPa\": " + num(f.dp[pipe]) +
           ", \"allowablePressureDrop_kPa\": " + num(f.allowedDp[pipe]) +
           ", \"velocity_m_s\": " + num(f.velocity[pipe]) + "}";
}

std::string jsonCandidate(std::size_t n, const Judged& j) {
    const Candidate& k = j.candidate;
    const CandidateFigures& f = j.figures;
    const auto num = [&](double v) { return f.calculated ? shortestNumber(v) : "null"; };
    std::string broken;
    for (const BrokenLimit& b : f.broken)
        broken += std::string(broken.empty() ? "" : ", ") + "{\"limit\": \"" + brokenKey(b.kind) +
                  "\", \"pipe\": \"" + (b.pipe == 0 ? "inner" : "annulus") +
                  "\", \"value\": " + shortestNumber(b.value) +
                  ", \"bound\": " + shortestNumber(b.bound) + "}";
    return "    {\"number\": " + std::to_string(n) + ", \"key\": " + std::to_string(k.key) +
           ", \"feasible\": " + (f.feasible() ? "true" : "false") +
           ",\n     \"inner\": " + jsonPipe(k, f, 0) + ",\n     \"annulus\": " + jsonPipe(k, f, 1) +
           ",\n     \"legLength_m\": " + shortestNumber(k.leg) +
           ", \"hairpins\": " + (f.calculated ? std::to_string(f.hairpins) : "null") +
           ", \"surfaceBuilt_m2\": " + num(f.surface) + ", \"overSurface_percent\": " +
           (f.overSurface ? shortestNumber(*f.overSurface) : "null") +
           ", \"overallCoefficient_W_m2K\": " + (f.calculated ? shortestNumber(f.U) : "null") +
           ",\n     \"message\": " + (f.message.empty() ? "null" : jsonString(f.message)) +
           ", \"broken\": [" + broken + "]}";
}

}  // namespace

std::string designJson(const DesignSearch& s, const DesignLimits& limits, Criterion criterion) {
    std::string out =
        "{\n  \"capacity_kW\": " + shortestNumber(parseDouble(s.process.q).value_or(0)) +
        ",\n  \"criterion\": \"" + criterionName(criterion) + "\",\n  \"limits\": [";
    for (int st : {0, 1})
        out += std::string(st ? ", " : "") +
               "{\"fluid\": " + jsonString(st ? s.process.estfluid : s.process.intfluid) +
               ", \"allowablePressureDrop_kPa\": " + shortestNumber(limits.allowedDp[st]) +
               ", \"velocityMin_m_s\": " + shortestNumber(limits.velocity[st].low) +
               ", \"velocityMax_m_s\": " + shortestNumber(limits.velocity[st].high) + "}";
    out += "],\n  \"minOverSurface_percent\": " + shortestNumber(limits.minOverSurface) +
           ",\n  \"candidates\": " + std::to_string(s.total) +
           ",\n  \"cancelled\": " + (s.cancelled ? "true" : "false");
    std::size_t n = 0;
    for (const auto* list : {&s.feasible, &s.nearest}) {
        out +=
            std::string(",\n  \"") + (list == &s.feasible ? "feasible" : "nearestFailed") + "\": [";
        for (std::size_t i = 0; i < list->size(); ++i)
            out += std::string(i ? ",\n" : "\n") + jsonCandidate(++n, (*list)[i]);
        out += list->empty() ? "]" : "\n  ]";
    }
    return out + "\n}\n";
}

}  // namespace zano
