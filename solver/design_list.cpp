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

using Q = Quantity;

std::size_t charCount(const std::string& s) {
    std::size_t chars = 0;
    for (const char ch : s) chars += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    return chars;
}

std::string pad(std::string s, std::size_t width, bool right = false) {
    // The width in characters, a multi-byte character counted once.
    const std::size_t chars = charCount(s);
    if (chars >= width) return s + " ";
    const std::string fill(width - chars, ' ');
    return (right ? fill + s : s + fill) + " ";
}

// A figure rounded as the list shows it, with its unit.
std::string withUnit(Q q, double si, int decimals, const Units& u) {
    return shownRounded(q, si, decimals, u) + " " + std::string(unitText(q, u.system));
}

// A limit as given, with its unit: 70 kPa, or the 10 psi typed.
std::string limitText(Q q, double si, const Units& u) {
    return shownGeneral(q, si, u) + " " + std::string(unitText(q, u.system));
}

}  // namespace

std::string brokenText(const BrokenLimit& b, const Units& u) {
    const std::string pipe = kPipeNames[b.pipe];
    switch (b.kind) {
        case BrokenLimit::PressureDrop:
            return pipe + " pressure drop " + withUnit(Q::PressureDrop, b.value, 1, u) + " above " +
                   withUnit(Q::PressureDrop, b.bound, 2, u);
        case BrokenLimit::VelocityLow:
            return pipe + " velocity " + withUnit(Q::Velocity, b.value, 2, u) + " below " +
                   withUnit(Q::Velocity, b.bound, 2, u);
        case BrokenLimit::VelocityHigh:
            return pipe + " velocity " + withUnit(Q::Velocity, b.value, 2, u) + " above " +
                   withUnit(Q::Velocity, b.bound, 2, u);
        case BrokenLimit::OverSurface:
            return "over-surface " + shownRounded(Q::Percent, b.value, 2, u) + " % below " +
                   shownRounded(Q::Percent, b.bound, 2, u) + " %";
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

// The columns of the text list: the SI heading, the US one and the width, where the US heading
// is no wider.
struct TextColumn {
    const char* si;
    const char* us;
    std::size_t width;
    bool right;
};

const TextColumn kTextColumns[] = {
    {"#", "#", 4, true},
    {"inner pipe", "inner pipe", 20, false},
    {"annulus pipe", "annulus pipe", 20, false},
    {"in the inner pipe", "in the inner pipe", 22, false},
    {"arrangement", "arrangement", 13, false},
    {"leg m", "leg ft", 6, true},
    {"hairpins", "hairpins", 8, true},
    {"surface m²", "surface ft²", 10, true},
    {"over %", "over %", 7, true},
    {"dp inner kPa", "dp inner psi", 13, true},
    {"dp annulus kPa", "dp annulus psi", 14, true},
    {"v inner", "v inner ft/s", 7, true},
    {"v annulus", "v annulus ft/s", 9, true},
    {"U W/m²K", "U Btu/(h ft² °F)", 7, true},
};

// Column `c`'s text, padded to its width in the system chosen.
std::string cell(std::size_t c, const std::string& text, const Units& u) {
    const TextColumn& col = kTextColumns[c];
    const bool us = u.system == UnitSystem::US;
    return pad(text, us ? std::max(col.width, charCount(col.us)) : col.width, col.right);
}

std::string textHeader(const Units& u) {
    std::string out;
    for (std::size_t c = 0; c < std::size(kTextColumns); ++c)
        out += cell(c, u.system == UnitSystem::US ? kTextColumns[c].us : kTextColumns[c].si, u);
    return out + "\n";
}

std::string textFigures(const CandidateFigures& f, const Units& u) {
    const auto dp = [&](int pipe) {
        return shownRounded(Q::PressureDrop, f.dp[pipe], 1, u) + "/" +
               shownGeneral(Q::PressureDrop, f.allowedDp[pipe], u);
    };
    return cell(6, std::to_string(f.hairpins), u) +
           cell(7, shownRounded(Q::Area, f.surface, 2, u), u) +
           cell(8, f.overSurface ? shownRounded(Q::Percent, *f.overSurface, 1, u) : "-", u) +
           cell(9, dp(0), u) + cell(10, dp(1), u) +
           cell(11, shownRounded(Q::Velocity, f.velocity[0], 2, u), u) +
           cell(12, shownRounded(Q::Velocity, f.velocity[1], 2, u), u) +
           cell(13, shownRounded(Q::Coefficient, static_cast<double>(f.U), 0, u), u) + "\n";
}

std::string textRow(std::size_t n, const Judged& j, const Units& u) {
    const Candidate& k = j.candidate;
    const CandidateFigures& f = j.figures;
    std::string row = cell(0, std::to_string(n), u) + cell(1, k.inner, u) + cell(2, k.outer, u) +
                      cell(3, k.c.intfluid, u) + cell(4, arrangementText(k), u) +
                      cell(5, shownGeneral(Q::Length, k.leg, u), u);
    if (!f.calculated) return row + "\n" + std::string(5, ' ') + "failed: " + f.message + "\n";
    row += textFigures(f, u);
    std::string broke;
    for (const BrokenLimit& b : f.broken) broke += (broke.empty() ? "" : "; ") + brokenText(b, u);
    if (!broke.empty()) row += std::string(5, ' ') + "broke: " + broke + "\n";
    return row;
}

std::string limitsText(const CaseData& p, const DesignLimits& l, const Units& u) {
    std::string out = "Limits:";
    for (int s : {0, 1}) {
        const std::string& fluid = s == 0 ? p.intfluid : p.estfluid;
        out += std::string(s == 0 ? " " : "; ") + fluid + " (the case's " +
               (s == 0 ? "internal" : "external") + " fluid) pressure drop " +
               limitText(Q::PressureDrop, l.allowedDp[s], u) + ", velocity " +
               shownGeneral(Q::Velocity, l.velocity[s].low, u) + " to " +
               limitText(Q::Velocity, l.velocity[s].high, u);
    }
    return out + "; over-surface at least " + shownGeneral(Q::Percent, l.minOverSurface, u) +
           " %\n";
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

std::string designText(const DesignSearch& s, const DesignLimits& limits, Criterion criterion,
                       const Units& u) {
    std::string out = "Duty " + shownText(Q::Capacity, s.process.q, u) + " " +
                      std::string(unitText(Q::Capacity, u.system)) + ", " + s.process.intfluid +
                      " in the case's inner pipe, " + s.process.estfluid + " in its annulus\n" +
                      limitsText(s.process, limits, u);
    out += std::to_string(s.total) + " candidates, " + std::to_string(s.feasible.size()) +
           " meet every limit; ranked by " + criterionName(criterion) +
           (s.cancelled ? "; cancelled after " + std::to_string(s.done) : std::string()) + "\n\n";
    out += textHeader(u);
    std::size_t n = 0;
    for (const Judged& j : s.feasible) out += textRow(++n, j, u);
    if (s.nearest.empty()) return out;
    out += "\nThe nearest that failed, and the limits each broke:\n" + textHeader(u);
    for (const Judged& j : s.nearest) out += textRow(++n, j, u);
    return out;
}

namespace {

std::string csvText(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string out = "\"";
    for (char ch : s) out += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return out + "\"";
}

// A figure of the export in the system's unit, at the shortest width that reads back, as a
// case's export writes it.
std::string exported(Q q, double si, UnitSystem s) {
    return shortestNumber(toShown(q, si, s));
}

// A value the user gave (a leg, a limit) freed of the dust the conversion leaves, so that
// 10 psi typed is written 10.
std::string typed(Q q, double si, UnitSystem s) {
    if (s == UnitSystem::SI || !unitRow(q)) return shortestNumber(si);
    const double shown = toShown(q, si, s);
    return shortestNumber(parseDouble(formatDigits(shown, 12, ',')).value_or(shown));
}

std::string exportedU(float si, UnitSystem s) {
    return shortestNumber(static_cast<float>(toShown(Q::Coefficient, si, s)));
}

std::string csvRow(std::size_t n, const Judged& j, const Units& u) {
    const Candidate& k = j.candidate;
    const CandidateFigures& f = j.figures;
    const UnitSystem us = u.system;
    std::string row = std::to_string(n) + "," + (f.feasible() ? "feasible" : "failed") + "," +
                      csvText(k.innerStandard) + "," + csvText(k.inner) + "," +
                      csvText(k.outerStandard) + "," + csvText(k.outer) + "," +
                      csvText(k.c.intfluid) + "," + csvText(k.c.estfluid) + "," +
                      std::to_string(k.intBranches) + "," + std::to_string(k.estBranches) + "," +
                      typed(Q::Length, k.leg, us);
    const auto num = [&](Q q, double v) { return f.calculated ? exported(q, v, us) : ""; };
    row += "," + (f.calculated ? std::to_string(f.hairpins) : std::string()) + "," +
           num(Q::Area, f.surface) + "," + (f.overSurface ? shortestNumber(*f.overSurface) : "");
    for (int pipe : {0, 1})
        row += "," + num(Q::PressureDrop, f.dp[pipe]) + "," +
               (f.calculated ? typed(Q::PressureDrop, f.allowedDp[pipe], us) : "") + "," +
               num(Q::Velocity, f.velocity[pipe]);
    std::string broke = f.message;
    for (const BrokenLimit& b : f.broken) broke += (broke.empty() ? "" : "; ") + brokenText(b, u);
    return row + "," + (f.calculated ? exportedU(f.U, us) : "") + "," + csvText(broke) + "\r\n";
}

}  // namespace

std::string designCsv(const DesignSearch& s, const Units& u) {
    const char* headings[] = {"Number",
                              "Status",
                              "Inner standard",
                              "Inner pipe",
                              "Outer standard",
                              "Outer pipe",
                              "Inner fluid",
                              "Annulus fluid",
                              "Inner branches",
                              "Annulus branches",
                              "Leg [m]",
                              "Hairpins",
                              "Surface [m^2]",
                              "Over-surface [%]",
                              "Pressure drop inner [kPa]",
                              "Allowable inner [kPa]",
                              "Velocity inner [m/s]",
                              "Pressure drop annulus [kPa]",
                              "Allowable annulus [kPa]",
                              "Velocity annulus [m/s]",
                              "U [W/(m^2 K)]",
                              "Failed on"};
    const Q units[] = {Q::Length, Q::Area, Q::PressureDrop, Q::Velocity, Q::Coefficient};
    std::string out;
    for (const char* h : headings) {
        std::string caption = h;
        for (Q q : units) caption = unitCaption(caption, q, u.system);
        out += (out.empty() ? "" : ",") + caption;
    }
    out += "\r\n";
    std::size_t n = 0;
    for (const Judged& j : s.feasible) out += csvRow(++n, j, u);
    for (const Judged& j : s.nearest) out += csvRow(++n, j, u);
    return out;
}

namespace {

std::string jsonPipe(const Candidate& k, const CandidateFigures& f, int pipe, UnitSystem us) {
    const auto num = [&](Q q, double v) { return f.calculated ? exported(q, v, us) : "null"; };
    const auto key = [us](const char* k, Q q) { return "\"" + unitKey(k, q, us) + "\": "; };
    const bool in = pipe == 0;
    return std::string("{\"standard\": ") + jsonString(in ? k.innerStandard : k.outerStandard) +
           ", \"designation\": " + jsonString(in ? k.inner : k.outer) +
           ", \"fluid\": " + jsonString(in ? k.c.intfluid : k.c.estfluid) +
           ", \"branches\": " + std::to_string(in ? k.intBranches : k.estBranches) + ", " +
           key("pressureDropBuilt_kPa", Q::PressureDrop) + num(Q::PressureDrop, f.dp[pipe]) + ", " +
           key("allowablePressureDrop_kPa", Q::PressureDrop) +
           (f.calculated ? typed(Q::PressureDrop, f.allowedDp[pipe], us) : "null") + ", " +
           key("velocity_m_s", Q::Velocity) + num(Q::Velocity, f.velocity[pipe]) + "}";
}

std::string jsonBroken(const BrokenLimit& b, UnitSystem us) {
    const Q q = b.kind == BrokenLimit::PressureDrop ? Q::PressureDrop
                : b.kind == BrokenLimit::VelocityLow || b.kind == BrokenLimit::VelocityHigh
                    ? Q::Velocity
                    : Q::Percent;
    return std::string("{\"limit\": \"") + brokenKey(b.kind) + "\", \"pipe\": \"" +
           (b.pipe == 0 ? "inner" : "annulus") + "\", \"value\": " + exported(q, b.value, us) +
           ", \"bound\": " + typed(q, b.bound, us) + "}";
}

std::string jsonCandidate(std::size_t n, const Judged& j, UnitSystem us) {
    const Candidate& k = j.candidate;
    const CandidateFigures& f = j.figures;
    const auto key = [us](const char* k, Q q) { return ", \"" + unitKey(k, q, us) + "\": "; };
    std::string broken;
    for (const BrokenLimit& b : f.broken)
        broken += std::string(broken.empty() ? "" : ", ") + jsonBroken(b, us);
    return "    {\"number\": " + std::to_string(n) + ", \"key\": " + std::to_string(k.key) +
           ", \"feasible\": " + (f.feasible() ? "true" : "false") +
           ",\n     \"inner\": " + jsonPipe(k, f, 0, us) +
           ",\n     \"annulus\": " + jsonPipe(k, f, 1, us) + ",\n     \"" +
           unitKey("legLength_m", Q::Length, us) + "\": " + typed(Q::Length, k.leg, us) +
           ", \"hairpins\": " + (f.calculated ? std::to_string(f.hairpins) : "null") +
           key("surfaceBuilt_m2", Q::Area) +
           (f.calculated ? exported(Q::Area, f.surface, us) : "null") +
           ", \"overSurface_percent\": " +
           (f.overSurface ? shortestNumber(*f.overSurface) : "null") +
           key("overallCoefficient_W_m2K", Q::Coefficient) +
           (f.calculated ? exportedU(f.U, us) : "null") +
           ",\n     \"message\": " + (f.message.empty() ? "null" : jsonString(f.message)) +
           ", \"broken\": [" + broken + "]}";
}

std::string jsonLimits(const DesignSearch& s, const DesignLimits& limits, UnitSystem us) {
    const auto key = [us](const char* k, Q q) { return ", \"" + unitKey(k, q, us) + "\": "; };
    std::string out;
    for (int st : {0, 1})
        out +=
            std::string(st ? ", " : "") +
            "{\"fluid\": " + jsonString(st ? s.process.estfluid : s.process.intfluid) +
            key("allowablePressureDrop_kPa", Q::PressureDrop) +
            typed(Q::PressureDrop, limits.allowedDp[st], us) + key("velocityMin_m_s", Q::Velocity) +
            typed(Q::Velocity, limits.velocity[st].low, us) + key("velocityMax_m_s", Q::Velocity) +
            typed(Q::Velocity, limits.velocity[st].high, us) + "}";
    return out;
}

}  // namespace

std::string designJson(const DesignSearch& s, const DesignLimits& limits, Criterion criterion,
                       const Units& u) {
    const UnitSystem us = u.system;
    // In US customary units the document says so first, as a case's does.
    std::string out = us == UnitSystem::SI
                          ? "{\n  \""
                          : "{\n  \"units\": \"" + std::string(systemName(us)) + "\",\n  \"";
    out += unitKey("capacity_kW", Q::Capacity, us) +
           "\": " + typed(Q::Capacity, parseDouble(s.process.q).value_or(0), us) +
           ",\n  \"criterion\": \"" + criterionName(criterion) + "\",\n  \"limits\": [" +
           jsonLimits(s, limits, us) +
           "],\n  \"minOverSurface_percent\": " + shortestNumber(limits.minOverSurface) +
           ",\n  \"candidates\": " + std::to_string(s.total) +
           ",\n  \"cancelled\": " + (s.cancelled ? "true" : "false");
    std::size_t n = 0;
    for (const auto* list : {&s.feasible, &s.nearest}) {
        out +=
            std::string(",\n  \"") + (list == &s.feasible ? "feasible" : "nearestFailed") + "\": [";
        for (std::size_t i = 0; i < list->size(); ++i)
            out += std::string(i ? ",\n" : "\n") + jsonCandidate(++n, (*list)[i], us);
        out += list->empty() ? "]" : "\n  ]";
    }
    return out + "\n}\n";
}

}  // namespace zano
