#pragma once

#include <QString>
#include <functional>

#include "report/report_page.h"

class QWidget;

// File > Print: the print dialog, then the page. Cancel prints nothing and says nothing; a
// printer's failure aborts the job; a PDF file that cannot be written is reported naming it.
// Printing to a file offers `offeredPdf` (the case's name beside it; none for a new case).
void printReportWithDialog(QWidget* parent, const ReportTexts& texts, const QString& offeredPdf);

// When set, File > Print prints on the printer it gives, without the print dialog.
std::function<ReportPrinter&()>& reportPrinterHook();
