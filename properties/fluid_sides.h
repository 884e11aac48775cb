#pragma once

#include <string>

// The twin operations of the internal ("int") and external ("est") side: thin doors into the
// one FluidTable implementation, each using its side's table and selected pressure.
namespace zano {

struct CalcState;

void dbpropint(CalcState& s, const std::string& fluido);
void dbpropest(CalcState& s, const std::string& fluido);

// Reduces both tables to the block of their selected pressure.
void RiduciVettori(CalcState& s);

double propHint(const CalcState& s, double tt);
double propHest(const CalcState& s, double tt);

double trovatint(const CalcState& s, double hh);
double trovatest(const CalcState& s, double hh);

}  // namespace zano
