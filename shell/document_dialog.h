#pragma once

#include "records/case_data.h"

class QWidget;

namespace zano {

// File > Properties: the case's document texts (Project, Item, Service, Revision, Prepared by,
// Checked by, Notes of several lines), which the printed page shows at its foot and the case
// file keeps. True when OK changed any of them in `c`; Cancel changes nothing.
bool editDocument(QWidget* parent, CaseData& c);

}  // namespace zano
