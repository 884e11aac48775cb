#pragma once

#include <QString>
#include <array>

#include "formats/units.h"

class QWidget;

// The tooltip of every input of the main window and the Options dialog: what it means, its unit
// and the values it usually takes, so that a newcomer need not open the manual for either.
namespace zano {

struct ControlHint {
    const char* window;   // "Form1" (main window), "Form2" (Options) or
                          // "ConstructionDialog"
    const char* control;  // the control's object name
    const char* text;
};

// Tables of fluids and materials set the hard limits; the ranges here are those of the double
// pipe exchangers the program is meant for.
// clang-format off
inline constexpr std::array<ControlHint, 52> kControlHints{{
    {"Form1", "Text1", "Outside diameter of the internal pipe, mm. Typical 10 to 100 mm."},
    {"Form1", "Text2", "Wall thickness of the internal pipe, mm. Typical 1 to 5 mm."},
    {"Form1", "Combo3", "Wall material of the pipes: its conductivity sets the internal pipe's wall resistance, its roughness the pressure drop on both sides."},
    {"Form1", "PipeList1", "Standard pipe for the internal pipe (data/pipes.dat: ASME B36.10M and B36.19M steel, EN 10220 steel and EN ISO 1127 stainless tubes, EN 1057 and ASTM B88 copper). Picking one fills its outside diameter and thickness; a diameter and thickness typed that match a catalogue row show its designation, others the empty entry. The case stores the two numbers only."},
    {"Form1", "PipeList2", "Standard pipe for the external pipe (data/pipes.dat: ASME B36.10M and B36.19M steel, EN 10220 steel and EN ISO 1127 stainless tubes, EN 1057 and ASTM B88 copper). Picking one fills its outside diameter and thickness; a diameter and thickness typed that match a catalogue row show its designation, others the empty entry. The case stores the two numbers only."},
    {"Form1", "Combo1", "Fluid inside the internal pipe. Picking one lists the pressures of its table."},
    {"Form1", "Combo4", "Pressure of the internal fluid, bar: one of the pressures listed for the fluid. Typical 1 to 20 bar."},
    {"Form1", "Text6", "Inlet temperature of the internal fluid, °C. Typical 5 to 150 °C, within the fluid's table at the chosen pressure."},
    {"Form1", "Option3", "The outlet temperature of the internal fluid is given; its mass flow is calculated."},
    {"Form1", "Text7", "Outlet temperature of the internal fluid, °C, given or calculated as the option beside it says. Typical 5 to 150 °C; a heated fluid leaves warmer than it entered, a cooled one colder."},
    {"Form1", "Option4", "The mass flow of the internal fluid is given; its outlet temperature is calculated."},
    {"Form1", "Text8", "Mass flow of the internal fluid, kg/s, given or calculated as the option beside it says. Typical 0,05 to 5 kg/s."},
    {"Form1", "Text4", "Outside diameter of the external pipe, mm; its inside diameter must exceed the internal pipe's outside diameter. Typical 20 to 150 mm."},
    {"Form1", "Text5", "Wall thickness of the external pipe, mm. Typical 1 to 6 mm."},
    {"Form1", "Combo2", "Fluid in the annulus between the two pipes. Picking one lists the pressures of its table."},
    {"Form1", "Combo5", "Pressure of the external fluid, bar: one of the pressures listed for the fluid. Typical 1 to 20 bar."},
    {"Form1", "Text9", "Inlet temperature of the external fluid, °C. Typical 5 to 150 °C, within the fluid's table at the chosen pressure."},
    {"Form1", "Option7", "The outlet temperature of the external fluid is given; its mass flow is calculated. Open only while the internal mass flow is given."},
    {"Form1", "Text10", "Outlet temperature of the external fluid, °C, given or calculated as the option beside it says. Typical 5 to 150 °C; a heated fluid leaves warmer than it entered, a cooled one colder."},
    {"Form1", "Option8", "The mass flow of the external fluid is given; its outlet temperature is calculated."},
    {"Form1", "Text11", "Mass flow of the external fluid, kg/s, given or calculated as the option beside it says. Typical 0,05 to 5 kg/s."},
    {"Form1", "Option5", "The length is given; the capacity is calculated."},
    {"Form1", "Text12", "Length of the exchanger, m, given or calculated as the option beside it says. Typical 1 to 50 m."},
    {"Form1", "Option6", "The capacity is given; the length is calculated."},
    {"Form1", "Text3", "Capacity, the heat exchanged, kW, given or calculated as the option beside it says. Typical 1 to 500 kW."},
    {"Form1", "DutyFromOutlet", "The capacity is calculated from the stream whose outlet temperature is given: its mass flow, given as well, times its enthalpy change. The other outlet temperature and the length follow. Open while an outlet temperature is given."},
    {"Form1", "Option1", "Countercurrent: the two fluids flow in opposite directions."},
    {"Form1", "Option2", "Equicurrent: the two fluids flow in the same direction."},
    {"Form2", "Text1", "Fouling factor on the internal fluid's side, (m^2 K)/W; 0 for a clean surface. Typical 0 to 0,0009 (m^2 K)/W."},
    {"Form2", "Text2", "Fouling factor on the external fluid's side, (m^2 K)/W; 0 for a clean surface. Typical 0 to 0,0009 (m^2 K)/W."},
    {"Form2", "Check1", "Define the fluid \"User defined\" by the four constants below; open while either fluid list shows it."},
    {"Form2", "Text3", "Density of the user fluid, kg/m^3. Typical 600 to 1500 kg/m^3 for a liquid, 0,5 to 50 kg/m^3 for a gas."},
    {"Form2", "Text4", "Specific heat of the user fluid, kJ/(kg K). Typical 1 to 4,2 kJ/(kg K)."},
    {"Form2", "Text5", "Thermal conductivity of the user fluid, W/(m K). Typical 0,1 to 0,7 W/(m K) for a liquid, 0,01 to 0,1 W/(m K) for a gas."},
    {"Form2", "Text6", "Dynamic viscosity of the user fluid, Pa s. Typical 0,0002 to 0,1 Pa s for a liquid, 0,00001 to 0,00003 Pa s for a gas."},
    {"Form2", "HairpinLength", "Length of one leg of a standard hairpin, m; empty for none. With it the results give the hairpins needed. Typical 1,5 to 6 m."},
    {"Form2", "Correlations", "The rules for the film coefficients: Classic, or Refined (Gnielinski and the annulus and entry-length rules of current handbooks)."},
    {"Form2", "ImportTable", "Read a table of properties against temperature from a CSV or text file, saved as the fluid \"User defined\" or under a name of your own."},
    {"Form2", "PasteTable", "Take a table of properties against temperature from the clipboard, saved as the fluid \"User defined\" or under a name of your own."},
    {"Form2", "Command1", "Close the dialog; with \"Define user fluid\" checked, the user fluid is saved first."},
    {"ConstructionDialog", "hairpins", "Hairpins built, each two legs of the hairpin length; empty: as many as the length (or, with the capacity given, the duty) needs. With them set and the length given, they set the length. Typical 1 to 20."},
    {"ConstructionDialog", "hairpinLength", "Length of one leg of a hairpin, m, the same value as the hairpin length of Options; empty for none. 0,1 to 50 m; typical 1,5 to 6 m."},
    {"ConstructionDialog", "bendRadius", "Centre-line radius of the inner pipe's 180° return bends, mm; empty: 1,5 times its bore, the long-radius return. Typical 1 to 5 bores."},
    {"ConstructionDialog", "intBranches", "Parallel branches of the internal stream, each through its own consecutive hairpins; empty or 1: in series through every hairpin. 1 to 100; typical 1 to 4."},
    {"ConstructionDialog", "estBranches", "Parallel branches of the external stream, each through its own consecutive hairpins; empty or 1: in series through every hairpin. 1 to 100; typical 1 to 4."},
    {"ConstructionDialog", "intNozzle", "Bore of the internal stream's inlet and outlet nozzles, mm; empty: the inner pipe's own bore. Typical 15 to 100 mm."},
    {"ConstructionDialog", "estNozzle", "Bore of the external stream's inlet and outlet nozzles, mm; empty: the outer pipe's bore. Typical 15 to 100 mm."},
    {"ConstructionDialog", "intAllowedDp", "Pressure drop the internal stream may take as built, kPa; empty: none, nothing is compared. Typical 10 to 100 kPa for a liquid."},
    {"ConstructionDialog", "estAllowedDp", "Pressure drop the external stream may take as built, kPa; empty: none, nothing is compared. Typical 10 to 100 kPa for a liquid."},
    {"ConstructionDialog", "properties", "Rate the hairpins as built each with the properties at its own temperatures, for viscous fluids whose viscosity changes several-fold along the exchanger; unchecked, the whole exchanger (or bank) at its mean temperatures. Streams in different branches are always rated hairpin by hairpin."},
    {"Form1", "Command1", "Calculate the case (Enter in any box does the same)."},
    {"Form1", "Command2", "Fouling factors, the user fluid, the hairpin length and the correlation set."},
}};
// clang-format on

// A hint's figures in the user's units: each "5 to 150 °C" or "0,05 kg/s" of a unit of the
// table converted at three significant digits, a unit named alone ("mm.") named in the system,
// and the decimal separator chosen.
QString hintInUnits(const char* text, const Units& u);

// Gives the controls of `window` ("Form1" or "Form2" by its object name) their tooltips, in the
// user's units; the user fluid's constants, which its table keeps in SI, stay in SI.
void applyControlHints(QWidget* window, const Units& u = {});

}  // namespace zano
