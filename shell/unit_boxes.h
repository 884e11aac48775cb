#pragma once

#include <QString>

#include "formats/units.h"

class QWidget;

// A box of a case field shows its text in the user's units; the case keeps SI with a decimal
// comma. Each box remembers the case text it was last shown from: while it still shows what was
// written from that text, the case gets the text back unchanged, so that showing a value in
// other units and reading it again never changes it; a text the user edited is converted.
namespace zano {

// A line edit's text, or an editable list's.
QString boxText(const QWidget* box);
// Writes a case text into a box (line edit or editable list) in units `u`.
void showInUnits(QWidget* box, Quantity q, const QString& caseText, const Units& u);
// The box shows `caseText` as it stands now (written there as typing writes it).
void keepCaseText(QWidget* box, const QString& caseText);
// The case text of what a box shows in units `u`.
QString caseTextIn(const QWidget* box, Quantity q, const Units& u);
// Shows the box's case text again in other units, changing no value.
void reshowInUnits(QWidget* box, Quantity q, const Units& from, const Units& to);

// The same for a line edit holding a list of numbers parted by semicolons or blanks (the
// Design window's leg lengths): each number shown and read in units `u`, parted by "; ".
void showListInUnits(QWidget* box, Quantity q, const QString& caseText, const Units& u);
QString caseListIn(const QWidget* box, Quantity q, const Units& u);

// A caption with its unit in brackets ("Outside &diameter [mm]") in a system; its letter for
// Alt stays where the unit does not take it away.
QString captionInUnits(const QString& siCaption, UnitSystem s);
// Gives a label or a button the caption of its SI caption (kept on it) in a system.
void relabelInUnits(QWidget* w, UnitSystem s);

// A figure of the case (its SI text) as a line or a tooltip shows it: "0,0002 (m^2 K)/W".
QString shownWithUnit(Quantity q, const std::string& caseText, const Units& u);

}  // namespace zano
