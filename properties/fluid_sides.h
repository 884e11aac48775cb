#pragma once

#include <string>
#include <string_view>

// The twin operations of the internal ("int") and external ("est") side: thin doors into the
// one FluidTable implementation, each using its side's table and selected pressure.
namespace zano {

struct CalcState;

void dbpropint(CalcState& s, const std::string& fluido);
void dbpropest(CalcState& s, const std::string& fluido);

// Reduces both tables to the block of their selected pressure.
void RiduciVettori(CalcState& s);

// Current properties of a side at the bulk temperature tm, which becomes its mean temperature.
void propint(CalcState& s, double tm);
void propest(CalcState& s, double tm);

double propviscpari(const CalcState& s, double tp);
double propviscpare(const CalcState& s, double tp);

double propHint(const CalcState& s, double tt);
double propHest(const CalcState& s, double tt);

double trovatint(const CalcState& s, double hh);
double trovatest(const CalcState& s, double hh);

// "SI" when temp lies in the named table's range, otherwise "NO"; `press` is not used, the
// bounds are those of the current (reduced) table.
std::string controllatemp(const CalcState& s, double temp, float press, std::string_view int_est);

}  // namespace zano
