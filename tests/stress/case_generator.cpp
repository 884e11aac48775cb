#include "tests/stress/case_generator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <stdexcept>

#include "base/number_text.h"
#include "properties/calc_state.h"
#include "properties/fluid_names.h"
#include "properties/wall_materials.h"

namespace zano::stress {

Fluids Fluids::load(const std::filesystem::path& dataDir) {
    Fluids f;
    // A case may name any table the folder holds, not only the sixteen: the checks must know
    // each one, or they fail on a sound case over a table shipped later.
    f.names = offeredFluids({dataDir});
    // A folder of the tests' own holds only the tables its cases name.
    std::erase_if(f.names, [&](const std::string& name) {
        return !std::filesystem::exists(fluidFile(dataDir, name));
    });
    for (const std::string& name : f.names)
        f.blocks[name] = blocksOf(readFluidTable(fluidFile(dataDir, name)));
    for (const auto& m : readMaterialFile(dataDir / "condmat.dat")) f.materials.push_back(m.name);
    return f;
}

std::vector<Block> Fluids::blocksOf(const FluidTable& whole) {
    std::vector<Block> blocks;
    std::set<float> seen;
    for (float p : whole.P) {
        if (!seen.insert(p).second) continue;
        Block b{p, whole};
        b.table.reduceTo(p);
        blocks.push_back(std::move(b));
    }
    return blocks;
}

const Block& Fluids::block(const std::string& fluid, float pressure) const {
    const auto it = blocks.find(fluid);
    if (it == blocks.end())
        throw std::out_of_range("the checks hold no table \"" + fluid + "\" (not loaded)");
    for (const Block& b : it->second)
        if (b.pressure == pressure) return b;
    throw std::out_of_range("no block of " + fluid);
}

const char* defectName(Defect d) {
    static const char* names[] = {
        "sound",           "empty case",   "empty field",    "malformed",         "crossing",
        "wrong direction", "zero flow",    "small annulus",  "capacity too high", "out of range",
        "bad pressure",    "unknown name", "extreme number", "negative"};
    return names[static_cast<int>(d)];
}

std::string text(double v, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", digits, v);
    const auto parsed = parseDouble(buf);
    return parsed ? formatDouble(*parsed) : std::string(buf);
}

double CaseGenerator::uniform(double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng_);
}
double CaseGenerator::logUniform(double lo, double hi) {
    return std::exp(uniform(std::log(lo), std::log(hi)));
}
bool CaseGenerator::chance(double p) {
    return uniform(0, 1) < p;
}
template <typename T>
const T& CaseGenerator::pick(const std::vector<T>& v) {
    return v[std::uniform_int_distribution<std::size_t>(0, v.size() - 1)(rng_)];
}

namespace {

constexpr double kPi = 3.141593;

// The mass flow, kg/s, at which a stream of viscosity mu has Reynolds number re in a duct of
// flow area `area` and (hydraulic) diameter d, all in SI units.
double flowForReynolds(double re, double mu, double area, double d) {
    return re * mu * area / d;
}

// A temperature a fraction of the way from `from` towards `to`, kept inside [lo, hi).
double between(double from, double to, double frac, double lo, double hi) {
    const double target = std::clamp(to, lo, std::nextafter(hi, lo) - 1e-3);
    return from + frac * (target - from);
}

}  // namespace

GeneratedCase CaseGenerator::next() {
    GeneratedCase g;
    CaseData& c = g.c;
    c.intfluid = pick(f_.names);
    c.estfluid = pick(f_.names);
    const Block& bi = pick(f_.blocks.at(c.intfluid));
    const Block& be = pick(f_.blocks.at(c.estfluid));
    c.intpress = formatSingle(bi.pressure);
    c.estpress = formatSingle(be.pressure);
    c.mat = pick(f_.materials);
    c.controequi = chance(0.5) ? Arrangement::Countercurrent : Arrangement::Equicurrent;
    const int scheme = std::uniform_int_distribution<int>(0, 2)(rng_);
    c.intToutGiven = scheme == 0;
    c.estToutGiven = scheme == 1;
    c.LGiven = chance(0.5);

    // Geometry from capillaries to large pipes, mm.
    const double deti = logUniform(6, 150);
    const double spi = uniform(0.3, std::min(6.0, 0.2 * deti));
    const double gap = logUniform(1, 60);  // radial clearance of the annulus
    const double spe = uniform(1, 6);
    const double dete = deti + 2 * gap + 2 * spe;
    c.deti = text(deti, 4);
    c.spi = text(spi, 3);
    c.dete = text(dete, 4);
    c.spe = text(spe, 3);

    // Inlets anywhere in their tables; now and then equal.
    const double intTin = uniform(bi.tLow(), bi.tHigh());
    double estTin = uniform(be.tLow(), be.tHigh());
    if (chance(0.01) && intTin >= be.tLow() && intTin < be.tHigh()) estTin = intTin;
    c.intTin = text(intTin);
    c.estTin = chance(0.01) ? c.intTin : text(estTin);
    const double ti = *parseDouble(c.intTin), te = *parseDouble(c.estTin);

    // Mass flows from laminar (Re 50) to strongly turbulent (Re 3e5) on each side.
    const double di = (deti - 2 * spi) / 1000, de = deti / 1000, Di = (dete - 2 * spe) / 1000;
    const FluidProperties pi = bi.table.properties(ti, bi.pressure);
    const FluidProperties pe = be.table.properties(te, be.pressure);
    const double mi = flowForReynolds(logUniform(50, 3e5), pi.visc, kPi * di * di / 4, di);
    const double me =
        flowForReynolds(logUniform(50, 3e5), pe.visc, kPi * (Di * Di - de * de) / 4, Di - de);
    c.intPort = text(mi, 4);
    c.estPort = text(me, 4);

    // Given outlets part of the way towards the other inlet.
    const double frac = logUniform(0.005, 0.98);
    c.intTout = text(between(ti, te, frac, bi.tLow(), bi.tHigh()), 6);
    c.estTout = text(between(te, ti, frac, be.tLow(), be.tHigh()), 6);

    // Lengths from centimetres to hundreds of metres; capacities below the largest duty of the
    // given stream(s), estimated with the inlet specific heats.
    c.L = text(logUniform(0.01, 500), 4);
    const double ci = mi * pi.cp, ce = me * pe.cp;
    const double cKnown = scheme == 0 ? ce : scheme == 1 ? ci : std::min(ci, ce);
    c.q = text(std::max(1e-6, logUniform(0.005, 0.95) * cKnown * std::fabs(ti - te)), 5);

    c.intSporc = chance(0.3) ? text(logUniform(1e-5, 1e-3), 2) : "0";
    c.estSporc = chance(0.3) ? text(logUniform(1e-5, 1e-3), 2) : "0";

    if (chance(0.25)) defect(g, bi, be);
    return g;
}

void CaseGenerator::defect(GeneratedCase& g, const Block& bi, const Block& be) {
    CaseData& c = g.c;
    const int kinds = static_cast<int>(Defect::kCount) - 1;
    g.defect = static_cast<Defect>(std::uniform_int_distribution<int>(1, kinds)(rng_));
    std::vector<std::string CaseData::*> inputs = {&CaseData::deti,
                                                   &CaseData::spi,
                                                   &CaseData::dete,
                                                   &CaseData::spe,
                                                   &CaseData::intTin,
                                                   &CaseData::estTin,
                                                   &CaseData::intSporc,
                                                   &CaseData::estSporc,
                                                   &CaseData::intpress,
                                                   &CaseData::estpress,
                                                   c.LGiven ? &CaseData::L : &CaseData::q};
    if (c.intToutGiven) inputs.insert(inputs.end(), {&CaseData::intTout, &CaseData::estPort});
    if (!c.intToutGiven && c.estToutGiven)
        inputs.insert(inputs.end(), {&CaseData::estTout, &CaseData::intPort});
    if (!c.intToutGiven && !c.estToutGiven)
        inputs.insert(inputs.end(), {&CaseData::intPort, &CaseData::estPort});
    const double ti = *parseDouble(c.intTin), te = *parseDouble(c.estTin);

    switch (g.defect) {
        case Defect::EmptyCase:
            c = CaseData{};
            break;
        case Defect::EmptyField:
            c.*pick(inputs) = pick(std::vector<std::string>{"", " ", "\t"});
            break;
        case Defect::Malformed:
            c.*pick(inputs) =
                pick(std::vector<std::string>{"abc", "1,2,3", "1..2", "--1", "1e", "12a", "1E999",
                                              "NaN", "inf", "0x10", ",", "1 2", "١٢", "+-3"});
            break;
        case Defect::Crossing:
            // The given outlet runs past the other inlet (without running the wrong way).
            if (c.intToutGiven)
                c.intTout = text(te + (te - ti) * uniform(0.05, 1), 6);
            else if (c.estToutGiven)
                c.estTout = text(ti + (ti - te) * uniform(0.05, 1), 6);
            else
                c.q = text(*parseDouble(c.q) * uniform(2, 50));
            break;
        case Defect::WrongDirection:
            if (c.intToutGiven)
                c.intTout = text(ti + (ti - te) * uniform(0.01, 0.5), 6);
            else
                c.estTout = text(te + (te - ti) * uniform(0.01, 0.5), 6);
            break;
        case Defect::ZeroFlow:
            if (chance(0.5)) c.intPort = "0";
            if (chance(0.5) || c.intPort != "0") c.estPort = "0";
            break;
        case Defect::SmallAnnulus: {
            const double deti = *parseDouble(c.deti);
            c.dete = text(deti * uniform(0.5, 1.02), 4);
            if (chance(0.2)) c.dete = c.deti, c.spe = "0";  // the annulus exactly closed
            break;
        }
        case Defect::CapacityTooHigh:
            c.LGiven = false;
            c.q = text(*parseDouble(c.q) * logUniform(1.2, 1000));
            break;
        case Defect::OutOfRange:
            if (chance(0.5))
                c.intTin =
                    text(chance(0.5) ? bi.tHigh() + uniform(0, 50) : bi.tLow() - uniform(0.01, 50));
            else
                c.estTin = text(chance(0.5) ? be.tHigh() : be.tLow() - uniform(0.01, 50));
            break;
        case Defect::BadPressure:
            (chance(0.5) ? c.intpress : c.estpress) =
                pick(std::vector<std::string>{"7", "1,5", "0", "-1", "1000", "4"});
            break;
        case Defect::UnknownName:
            if (chance(0.4))
                c.mat = pick(std::vector<std::string>{"copper", "Unobtainium", "", "Copper "});
            else
                (chance(0.5) ? c.intfluid : c.estfluid) =
                    pick(std::vector<std::string>{"Mercury", "water", "", "Water ", "."});
            break;
        case Defect::Extreme:
            c.*pick(inputs) =
                pick(std::vector<std::string>{"3,4E+38", "-3,4E+38", "1E-45", "1E+300", "1E-300",
                                              "0", "-0", "1E+20", "-1E+20", "1E-20"});
            break;
        case Defect::Negative: {
            std::string& field = c.*pick(inputs);
            if (const auto v = parseDouble(field); v && *v > 0) field = "-" + field;
            break;
        }
        case Defect::None:
        case Defect::kCount:
            break;
    }
}

}  // namespace zano::stress
