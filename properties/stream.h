#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "properties/fluid_table.h"

namespace zano {

struct DataFolder;

enum class Side { Internal, External };

// One stream of the exchanger: the fluid in the internal pipe or the one in the annulus. The
// calculation holds two, and every scheme works on them without knowing which is which.
struct Stream {
    explicit Stream(Side s) : side(s) {}

    Side side;
    FluidTable table;
    float press = 0;  // bar, selects the table's rows; matched for equality only

    FluidProperties props;   // at the mean temperature Tm
    float portata = 0;       // mass flow, kg/s
    double sporcamento = 0;  // fouling factor, (m^2 K)/W

    double Tin = 0, Tout = 0;  // degC
    double Hin = 0, Hout = 0;  // kJ/kg
    double Tm = 0;             // degC, where props were last taken
    bool hot = false;          // its inlet is strictly the hotter one (the external on a tie)
    bool gas = false;          // a gas or superheated vapour (the refined correlations ask)

    // "internal" or "external", for the texts that name a stream.
    const char* name() const { return side == Side::Internal ? "internal" : "external"; }

    // The fluid's table from the data folder (or the user's folder, for a table of their own).
    void load(const DataFolder& data, const std::string& fluid);
    // The table's rows at the stream's pressure.
    void reduce();
    // From now on, where the data folder's tables are pinned (they cannot change), the stream
    // keeps the table it loads and its rows at the pressure it reduces to, and takes them again
    // for the same fluid and pressure without reading or reducing them: for a state that
    // calculates the same case again and again with other numbers.
    void holdTables() { held_.p = std::make_unique<Held>(); }

    // Takes the current properties at the mean temperature tm.
    void setMeanTemperature(double tm);

    double enthalpy(double t) const { return table.enthalpy(t, press); }
    double temperatureAt(double h) const { return table.temperatureAt(h, press); }
    double wallViscosity(double t) const { return table.wallViscosity(t, press); }
    bool inRange(double t) const { return table.inRange(t); }

    // Enthalpy the stream gives up (hot) or takes up (cold) per kilogram between inlet and
    // outlet: positive when the outlet lies on the right side of the inlet.
    double enthalpyChange() const { return hot ? Hin - Hout : Hout - Hin; }
    // The outlet enthalpy after giving up (hot) or taking up (cold) dh per kilogram.
    double outletEnthalpy(double dh) const { return hot ? Hin - dh : Hin + dh; }

    // Resets what a calculation computes; the table stays.
    void reset();

  private:
    struct Held {
        const void* cache = nullptr;  // the pinned tables it came from
        std::filesystem::path dataDir, userDir;
        std::string fluid;
        FluidTable table, reduced;
        float press = 0;
        bool gas = false, reducedHeld = false;
    };
    // None unless holdTables; a copy of the stream holds none.
    struct HeldTables {
        std::unique_ptr<Held> p;
        HeldTables() = default;
        HeldTables(const HeldTables&) {}
        HeldTables& operator=(const HeldTables&) { return p.reset(), *this; }
        Held* operator->() const { return p.get(); }
    } held_;
    bool fromHeld_ = false;  // the table loaded last is the one held
};

}  // namespace zano
