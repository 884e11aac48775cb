#pragma once

#include <QString>

class QWidget;

// The texts the one-page report prints, each exactly as its box shows it at that moment.
struct ReportTexts {
    // Main window.
    QString intDe, estDe;          // Text1, Text4
    QString intThickness, estThickness;  // Text2, Text5
    QString material;              // Combo3
    QString intFluid, estFluid;    // Combo1, Combo2
    QString intPressure, estPressure;    // Combo4, Combo5
    QString intTin, estTin;        // Text6, Text9
    QString intTout, estTout;      // Text7, Text10
    QString intPort, estPort;      // Text8, Text11
    QString length;                // Text12
    QString configuration;         // caption of the selected option: "Countercurrent" or "Equicurrent"
    // Results window.
    QString intVel, estVel;        // Text17, Text18
    QString intDeltaP, estDeltaP;  // Text19, Text20
    QString capacity, surface, coefficient;  // Text23, Text24, Text26
    // Options dialog.
    QString intFouling, estFouling;  // Text1, Text2
};

// File > Print: the print dialog, then the page. Cancel prints nothing and says nothing; a
// failure aborts the job.
void printReportWithDialog(QWidget* parent, const ReportTexts& texts);
