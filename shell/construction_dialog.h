#pragma once

#include "records/case_data.h"

class QWidget;

namespace zano {

// Case > Construction…: how the exchanger is built (the hairpins and their leg length, each
// stream's branches, the bend radius, each stream's nozzle bore and allowable pressure drop),
// each box empty for its default. OK checks every value as the case file does and refuses one
// it would refuse, saying why; true when OK changed any of them in `c`. Cancel changes nothing.
bool editConstruction(QWidget* parent, CaseData& c);

}  // namespace zano
