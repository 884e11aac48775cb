#include "formats/result_schema.h"

#include <charconv>
#include <cmath>

#include "formats/film_display.h"
#include "formats/results_display.h"
#include "formats/results_export.h"

namespace zano {
namespace {

using Q = Quantity;

const ResultsData& res(const CaseRun& run) {
    return *run.out.results;
}

template <typename T>
T pick(Pipe pipe, T internal, T external) {
    return pipe == Pipe::Internal ? internal : external;
}

const SideFilm& film(const CaseRun& run, Pipe pipe) {
    return pipe == Pipe::Internal ? run.out.films->internal : run.out.films->external;
}

// A figure of the hairpins as built; nothing where the run has none.
template <typename T>
Figure built(const CaseRun& run, std::optional<T> Hairpins::*figure) {
    return run.hairpins && (*run.hairpins).*figure ? Figure(*((*run.hairpins).*figure)) : Figure();
}

// A stream's pressure drop as built, or a part of it; nothing where the run has none.
const std::optional<BuiltDrop>& builtDrop(const CaseRun& run, Pipe pipe) {
    return pipe == Pipe::Internal ? run.hairpins->intDrop : run.hairpins->estDrop;
}

Figure drop(const CaseRun& run, Pipe pipe, double BuiltDrop::*part) {
    return run.hairpins && builtDrop(run, pipe) ? Figure(*builtDrop(run, pipe).*part) : Figure();
}

Figure allowable(const CaseRun& run, Pipe pipe) {
    if (!run.hairpins || !builtDrop(run, pipe) || !builtDrop(run, pipe)->allowable) return {};
    return *builtDrop(run, pipe)->allowable;
}

// A figure of the hand check; nothing where the run has none.
Figure checked(const CaseRun& run, double HandCheck::*figure) {
    return run.handCheck ? Figure((*run.handCheck).*figure) : Figure();
}

Figure property(const CaseRun& run, Pipe pipe, double SideProperties::*p) {
    if (!run.handCheck) return {};
    return pick(pipe, run.handCheck->internal, run.handCheck->external).*p;
}

// clang-format off
#define R(expr) [](const CaseRun& run, [[maybe_unused]] Pipe pipe) -> Figure { return expr; }
// clang-format on

}  // namespace

const std::array<SchemaRow, kSchemaRowCount> kResultSchema{{
    {"capacity_kW", "Capacity", "kW", Q::Capacity, Part::Exchanger, Group::Results, R(res(run).q)},
    {"surface_m2", "Surface", "m^2", Q::Area, Part::Exchanger, Group::Results, R(res(run).a)},
    {"length_m", "Lenght", "m", Q::Length, Part::Exchanger, Group::Results, R(res(run).L)},
    {"overallCoefficient_W_m2K", "Heat transfer coefficient", "W/(m^2 K)", Q::Coefficient,
     Part::Exchanger, Group::Results, R(res(run).U)},
    {"configuration", "Configuration", "", Q::Text, Part::Exchanger, Group::Results,
     R(std::string(configurationText(res(run).controequi)))},
    {"wallMaterial", "Material", "", Q::Name, Part::Exchanger, Group::Results, R(res(run).mat)},
    {"fluid", "Fluid", "", Q::Name, Part::EachPipe, Group::Results,
     R(pick(pipe, res(run).intfluid, res(run).estfluid))},
    {"outsideDiameter_mm", "Outside diameter", "mm", Q::Size, Part::EachPipe, Group::Results,
     R(pick(pipe, res(run).deti, res(run).dete))},
    {"wallThickness_mm", "Thickness", "mm", Q::Size, Part::EachPipe, Group::Results,
     R(pick(pipe, res(run).spi, res(run).spe))},
    {"pressure_bar", "Pressure", "bar", Q::Pressure, Part::EachPipe, Group::Results,
     R(pick(pipe, res(run).intpress, res(run).estpress))},
    {"inletTemperature_C", "Temp in", "°C", Q::Temperature, Part::EachPipe, Group::Results,
     R(pick(pipe, res(run).intTin, res(run).estTin))},
    {"outletTemperature_C", "Temp out", "°C", Q::Temperature, Part::EachPipe, Group::Results,
     R(pick(pipe, res(run).intTout, res(run).estTout))},
    {"massFlow_kg_s", "Mass flow", "kg/s", Q::MassFlow, Part::EachPipe, Group::Results,
     R(pick(pipe, res(run).intPort, res(run).estPort))},
    {"velocity_m_s", "Velocity", "m/s", Q::Velocity, Part::EachPipe, Group::Results,
     R(pick(pipe, res(run).intVel, res(run).estVel))},
    {"pressureDrop_kPa", "Pressure drop", "kPa", Q::PressureDrop, Part::EachPipe, Group::Results,
     R(pick(pipe, res(run).intDeltaP, res(run).estDeltaP))},
    {"foulingFactor_m2K_W", "Fouling factor", "(m^2 K)/W", Q::Fouling, Part::EachPipe,
     Group::Results, R(pick(pipe, res(run).intSporc, res(run).estSporc))},
    {"reynoldsNumber", "Reynolds number", "", Q::Number, Part::EachPipe, Group::Results,
     R(pick(pipe, res(run).Rei, res(run).Ree))},
    {"cleanCoefficient_W_m2K", "Clean coefficient", "W/(m^2 K)", Q::Coefficient, Part::Exchanger,
     Group::Results, R(run.out.margins ? Figure(run.out.margins->Uclean) : Figure())},
    {"foulingAllowance_percent", "Fouling allowance", "%", Q::Percent, Part::Exchanger,
     Group::Results, R(run.out.margins ? Figure(run.out.margins->foulingAllowance) : Figure())},
    {"hairpins", "Hairpins", "", Q::Count, Part::Exchanger, Group::Results,
     R(run.hairpins ? Figure(run.hairpins->count) : Figure())},
    {"hairpinLengthProvided_m", "Hairpin length provided", "m", Q::Length, Part::Exchanger,
     Group::Results, R(run.hairpins ? Figure(run.hairpins->providedLength) : Figure())},
    {"overSurface_percent", "Over-surface", "%", Q::Percent, Part::Exchanger, Group::Construction,
     R(run.hairpins&& run.hairpins->overSurface ? Figure(*run.hairpins->overSurface) : Figure())},
    {"ratedCapacity_kW", "Rated capacity", "kW", Q::Capacity, Part::Exchanger, Group::Construction,
     R(run.hairpins&& run.hairpins->ratedCapacity ? Figure(*run.hairpins->ratedCapacity)
                                                  : Figure())},
    {"meanTemperatureDifference_K", "Mean temperature difference", "K", Q::TemperatureDifference,
     Part::Exchanger, Group::Construction, R(built(run, &Hairpins::meanDifference))},
    {"correctionF", "F", "", Q::Number, Part::Exchanger, Group::Construction,
     R(built(run, &Hairpins::F))},
    {"branches", "Branches", "", Q::Count, Part::EachPipe, Group::Construction,
     R(run.hairpins ? Figure(pick(pipe, run.hairpins->intBranches, run.hairpins->estBranches))
                    : Figure())},
    {"outletTemperatureBuilt_C", "Temp out as built", "°C", Q::Temperature, Part::EachPipe,
     Group::Construction,
     R(built(run, pick(pipe, &Hairpins::intToutBuilt, &Hairpins::estToutBuilt)))},
    {"massFlowBuilt_kg_s", "Mass flow as built", "kg/s", Q::MassFlow, Part::EachPipe,
     Group::Construction,
     R(built(run, pick(pipe, &Hairpins::intPortBuilt, &Hairpins::estPortBuilt)))},
    {"pressureDropStraight_kPa", "Straight pipe", "kPa", Q::PressureDrop, Part::EachPipe,
     Group::Construction, R(drop(run, pipe, &BuiltDrop::straight))},
    {"pressureDropReturns_kPa", "Returns", "kPa", Q::PressureDrop, Part::EachPipe,
     Group::Construction, R(drop(run, pipe, &BuiltDrop::returns))},
    {"pressureDropNozzles_kPa", "Nozzles", "kPa", Q::PressureDrop, Part::EachPipe,
     Group::Construction, R(drop(run, pipe, &BuiltDrop::nozzles))},
    {"pressureDropBuilt_kPa", "Pressure drop as built", "kPa", Q::PressureDrop, Part::EachPipe,
     Group::Construction, R(drop(run, pipe, &BuiltDrop::total))},
    {"allowablePressureDrop_kPa", "Allowable pressure drop", "kPa", Q::PressureDrop, Part::EachPipe,
     Group::Construction, R(allowable(run, pipe))},
    {"nozzleVelocity_m_s", "Nozzle velocity", "m/s", Q::Velocity, Part::EachPipe,
     Group::Construction, R(drop(run, pipe, &BuiltDrop::nozzleVelocity))},
    {"correlationSet", "Correlation set", "", Q::Text, Part::Exchanger, Group::Results,
     R(std::string(correlationSetName(run.solved.correlations)))},
    {"flowRegime", "Flow regime", "", Q::Text, Part::EachPipe, Group::Films,
     R(film(run, pipe).regime)},
    {"prandtlNumber", "Prandtl number", "", Q::Number, Part::EachPipe, Group::Films,
     R(film(run, pipe).pr)},
    {"nusseltNumber", "Nusselt number", "", Q::Number, Part::EachPipe, Group::Films,
     R(film(run, pipe).nu)},
    {"filmCoefficient_W_m2K", "Film coefficient", "W/(m^2 K)", Q::Coefficient, Part::EachPipe,
     Group::Films, R(film(run, pipe).h)},
    {"filmResistance_m2K_W", "Film resistance", "(m^2 K)/W", Q::Fouling, Part::EachPipe,
     Group::Films, R(pick(pipe, run.out.films->internalFilm, run.out.films->externalFilm))},
    {"foulingResistance_m2K_W", "Fouling resistance", "(m^2 K)/W", Q::Fouling, Part::EachPipe,
     Group::Films, R(pick(pipe, run.out.films->internalFouling, run.out.films->externalFouling))},
    {"wallTemperature_C", "Wall temperature", "°C", Q::Temperature, Part::Exchanger, Group::Films,
     R(run.out.films->wallTemperature)},
    {"wallResistance_m2K_W", "Wall resistance", "(m^2 K)/W", Q::Fouling, Part::Exchanger,
     Group::Films, R(run.out.films->wall)},
    {"logMeanTemperatureDifference_K", "Log-mean temp. difference", "K", Q::TemperatureDifference,
     Part::Exchanger, Group::HandCheck, R(checked(run, &HandCheck::logMean))},
    {"meanTemperatureDifferenceUsed_K", "Mean difference q/(U a)", "K", Q::TemperatureDifference,
     Part::Exchanger, Group::HandCheck, R(checked(run, &HandCheck::meanDifference))},
    {"heatCapacityRateRatio", "Capacity rate ratio", "", Q::Number, Part::Exchanger,
     Group::HandCheck, R(checked(run, &HandCheck::rateRatio))},
    {"numberOfTransferUnits", "NTU", "", Q::Number, Part::Exchanger, Group::HandCheck,
     R(checked(run, &HandCheck::ntu))},
    {"effectiveness", "Effectiveness", "", Q::Number, Part::Exchanger, Group::HandCheck,
     R(checked(run, &HandCheck::effectiveness))},
    {"maximumDuty_kW", "Maximum duty", "kW", Q::Capacity, Part::Exchanger, Group::HandCheck,
     R(checked(run, &HandCheck::maxDuty))},
    {"heatCapacityRate_kW_K", "Capacity rate", "kW/K", Q::CapacityRate, Part::EachPipe,
     Group::HandCheck, R(checked(run, pick(pipe, &HandCheck::intRate, &HandCheck::estRate)))},
    {"densityAtMeanTemperature_kg_m3", "Density", "kg/m^3", Q::Density, Part::EachPipe,
     Group::HandCheck, R(property(run, pipe, &SideProperties::dens))},
    {"specificHeatAtMeanTemperature_kJ_kgK", "Specific heat", "kJ/(kg K)", Q::SpecificHeat,
     Part::EachPipe, Group::HandCheck, R(property(run, pipe, &SideProperties::cp))},
    {"conductivityAtMeanTemperature_W_mK", "Conductivity", "W/(m K)", Q::Conductivity,
     Part::EachPipe, Group::HandCheck, R(property(run, pipe, &SideProperties::cond))},
    {"viscosityAtMeanTemperature_Pa_s", "Viscosity", "Pa s", Q::Viscosity, Part::EachPipe,
     Group::HandCheck, R(property(run, pipe, &SideProperties::visc))},
    {"viscosityAtWall_Pa_s", "Viscosity at the wall", "Pa s", Q::Viscosity, Part::EachPipe,
     Group::HandCheck, R(property(run, pipe, &SideProperties::wallVisc))},
}};

#undef R

namespace {

// Plain decimals (0.0002, not 2e-04) over the range that engineering figures take; an
// exponent only beyond it, where plain digits would run long.
template <typename T>
std::string shortest(T v) {
    if (!std::isfinite(v)) return "null";  // never reached: the calculation refuses them
    const T size = std::fabs(v);
    const bool plain = size == 0 || (size >= T(1e-7) && size < T(1e15));
    char buf[64];
    const auto end = plain ? std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed).ptr
                           : std::to_chars(buf, buf + sizeof buf, v).ptr;
    return std::string(buf, end);
}

}  // namespace

std::string shortestNumber(float v) {
    return shortest(v);
}

std::string shortestNumber(double v) {
    return shortest(v);
}

namespace {

// A JSON document written as it is built, two blanks an indent, one value a line.
class JsonText {
  public:
    JsonText() { open({}, '{'); }
    // A member ("key": ...) inside an object; an element of an array when `key` is empty.
    void value(const std::string& key, const std::string& json) { item(key), out_ += json; }
    void open(const std::string& key, char bracket) {
        if (!first_.empty()) item(key);
        out_ += bracket;
        first_.push_back(true);
    }
    void close(char bracket) {
        const bool empty = first_.back();
        first_.pop_back();
        if (!empty) out_ += "\n" + std::string(2 * first_.size(), ' ');
        out_ += bracket;
    }
    std::string done() {
        close('}');
        return out_ + "\n";
    }

  private:
    void item(const std::string& key) {
        if (!first_.back()) out_ += ",";
        first_.back() = false;
        out_ += "\n" + std::string(2 * first_.size(), ' ');
        if (!key.empty()) out_ += jsonString(key) + ": ";
    }
    std::string out_;
    std::vector<bool> first_;  // per open bracket: nothing written in it yet
};

std::string numberText(const Figure& f) {
    if (const auto* v = std::get_if<float>(&f)) return shortestNumber(*v);
    if (const auto* v = std::get_if<double>(&f)) return shortestNumber(*v);
    if (const auto* v = std::get_if<int>(&f)) return std::to_string(*v);
    return {};
}

std::string jsonOf(const Figure& f) {
    if (std::holds_alternative<std::monostate>(f)) return "null";
    if (const auto* s = std::get_if<std::string>(&f)) return jsonString(*s);
    return numberText(f);
}

std::string csvOf(const Figure& f) {
    if (const auto* s = std::get_if<std::string>(&f)) return csvField(*s);
    return numberText(f);
}

std::string textOrNull(const std::string& s) {
    return s.empty() ? "null" : jsonString(s);
}

// A CSV row keeps its columns whatever the case holds, so that the rows of several cases line
// up; a JSON document holds the hairpins as built only where the case has them.
bool included(const SchemaRow& row, const CaseRun& run, const ExportParts& parts, bool csv) {
    switch (row.group) {
        case Group::Results:
            return true;
        case Group::Construction:
            return csv || (run.hairpins && run.hairpins->ratedCapacity);
        case Group::HandCheck:
            return true;
        default:
            return parts.films && run.out.films;
    }
}

void addPart(JsonText& j, const CaseRun& run, const ExportParts& parts, const char* name, Part part,
             Pipe pipe, UnitSystem s) {
    j.open(name, '{');
    for (const SchemaRow& row : kResultSchema)
        if (row.part == part && included(row, run, parts, false))
            j.value(unitKey(row.key, row.quantity, s),
                    jsonOf(inUnits(row.get(run, pipe), row.quantity, s)));
    j.close('}');
}

void addOtherSet(JsonText& j, const OtherSetFigures& f, UnitSystem s) {
    // Singles held as doubles: written as the singles they are.
    const auto number = [s](const std::optional<double>& v, Quantity q) {
        return v ? numberText(inUnits(static_cast<float>(*v), q, s)) : std::string("null");
    };
    const Quantity sought = f.lengthGiven ? Quantity::Capacity : Quantity::Length;
    j.open("otherSets", '[');
    for (const OtherSetFigures::Other& o : f.others) {
        j.open({}, '{');
        j.value("correlationSet", jsonString(correlationSetName(o.set)));
        j.value(unitKey("overallCoefficient_W_m2K", Quantity::Coefficient, s),
                number(o.U, Quantity::Coefficient));
        j.value(unitKey(f.lengthGiven ? "capacity_kW" : "length_m", sought, s),
                number(o.sought, sought));
        j.value("message", textOrNull(o.message));
        j.close('}');
    }
    j.close(']');
}

void addProfile(JsonText& j, const TemperatureProfile& p, UnitSystem s) {
    const auto length = [s](double x) { return numberText(inUnits(x, Quantity::Length, s)); };
    const auto temperature = [s](double t) {
        return numberText(inUnits(t, Quantity::Temperature, s));
    };
    j.open("profile", '{');
    j.value("scale", shortestNumber(p.scale));
    j.value("columns",
            "[" + jsonString(unitKey("x_m", Quantity::Length, s)) + ", " +
                jsonString(unitKey("internalTemperature_C", Quantity::Temperature, s)) + ", " +
                jsonString(unitKey("externalTemperature_C", Quantity::Temperature, s)) + "]");
    j.open("points", '[');
    for (const ProfilePoint& pt : p.points)
        j.value({}, "[" + length(pt.x) + ", " + temperature(pt.intT) + ", " + temperature(pt.estT) +
                        "]");
    j.close(']');
    j.close('}');
}

// The hairpins as built, stream by stream: the series stream through every hairpin (branch 0),
// then each branch along its own hairpins, x from the inlet named by "xFrom".
void addBuiltProfile(JsonText& j, const BuiltProfile& p, UnitSystem s) {
    j.open("profileAsBuilt", '{');
    j.value(unitKey("length_m", Quantity::Length, s),
            numberText(inUnits(p.length, Quantity::Length, s)));
    j.value("xFrom", jsonString(p.fromInternalInlet ? "internal inlet" : "external inlet"));
    j.value("banks", std::to_string(p.banks));
    j.value("columns", "[" + jsonString(unitKey("x_m", Quantity::Length, s)) + ", " +
                           jsonString(unitKey("temperature_C", Quantity::Temperature, s)) + "]");
    j.open("curves", '[');
    for (const BuiltCurve& c : p.curves) {
        j.open({}, '{');
        j.value("stream", jsonString(c.internal ? "internal" : "external"));
        j.value("branch", std::to_string(c.branch));
        j.open("points", '[');
        for (const BuiltCurve::Point& pt : c.points)
            j.value({}, "[" + numberText(inUnits(pt.x, Quantity::Length, s)) + ", " +
                            numberText(inUnits(pt.t, Quantity::Temperature, s)) + "]");
        j.close(']');
        j.close('}');
    }
    j.close(']');
    j.close('}');
}

// The values found as the case holds them; in US customary units converted, with a point.
void addFound(JsonText& j, const CaseRun& run, const Units& u) {
    j.open("found", '{');
    for (const FieldText& w : run.out.written)
        j.value(w.field->label,
                jsonString(u.system == UnitSystem::SI
                               ? w.text
                               : shownText(w.field->quantity, w.text, {UnitSystem::US, '.'})));
    j.close('}');
}

}  // namespace

Figure inUnits(const Figure& f, Quantity q, UnitSystem s) {
    if (const auto* v = std::get_if<float>(&f)) return static_cast<float>(toShown(q, *v, s));
    if (const auto* v = std::get_if<double>(&f)) return toShown(q, *v, s);
    return f;
}

std::string heading(const SchemaRow& row, Pipe pipe, const Units& u) {
    std::string h = row.caption;
    if (row.part == Part::EachPipe)
        h += pipe == Pipe::Internal ? " (internal pipe)" : " (external pipe)";
    if (*row.unit) h += std::string(" [") + shownUnit(row.quantity, row.unit, u.system) + "]";
    return h;
}

std::string csvField(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string out = "\"";
    for (char ch : s) out += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return out + "\"";
}

std::string caseJson(const CaseRun& run, const ExportParts& parts, const Units& u) {
    const UnitSystem s = u.system;
    JsonText j;
    if (s != UnitSystem::SI) j.value("units", jsonString(std::string(systemName(s))));
    j.value("ok", run.ok() ? "true" : "false");
    j.value("message", textOrNull(run.out.message));
    j.value("detail", textOrNull(run.out.detail));
    j.open("notes", '[');
    for (const std::string& note : run.notes) j.value({}, jsonString(note));
    j.close(']');
    addFound(j, run, u);
    if (run.ok()) {
        addPart(j, run, parts, "exchanger", Part::Exchanger, Pipe::Internal, s);
        addPart(j, run, parts, "internal", Part::EachPipe, Pipe::Internal, s);
        addPart(j, run, parts, "external", Part::EachPipe, Pipe::External, s);
        if (parts.otherSet && run.otherSet) addOtherSet(j, *run.otherSet, s);
        if (parts.profile && run.profile) addProfile(j, *run.profile, s);
        if (parts.profile && run.builtProfile) addBuiltProfile(j, *run.builtProfile, s);
    }
    return j.done();
}

std::string caseCsv(const CaseRun& run, const ExportParts& parts, bool header, const Units& u) {
    if (!run.ok()) return {};
    std::string head, values;
    for (const SchemaRow& row : kResultSchema) {
        if (!included(row, run, parts, true)) continue;
        for (const Pipe pipe : {Pipe::Internal, Pipe::External}) {
            if (row.part == Part::Exchanger && pipe == Pipe::External) continue;
            if (!values.empty() || !head.empty()) head += ",", values += ",";
            head += csvField(heading(row, pipe, u));
            values += csvOf(inUnits(row.get(run, pipe), row.quantity, u.system));
        }
    }
    return (header ? head + "\r\n" : std::string()) + values + "\r\n";
}

std::vector<std::string> caseCsvHeadings(const Units& u) {
    std::vector<std::string> headings;
    for (const SchemaRow& row : kResultSchema)
        for (const Pipe pipe : {Pipe::Internal, Pipe::External})
            if (row.group != Group::Films &&
                !(row.part == Part::Exchanger && pipe == Pipe::External))
                headings.push_back(heading(row, pipe, u));
    return headings;
}

}  // namespace zano
