#include "report/report_page.h"

#include <QBuffer>
#include <QDate>
#include <QDateTime>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>
#include <map>
#include <string_view>
#include <tuple>

#include "base/version.h"
#include "formats/construction_display.h"
#include "formats/film_display.h"
#include "report/export_file.h"
#include "solver/other_set.h"

namespace {

constexpr double kCmPerInch = 2.54;
// As a high-resolution printer draws.
constexpr int kPdfResolution = 1200;

// Columns of the page, in cm from the left of the printable area.
constexpr double kLabels = 2, kInternal = 9, kExternal = 13, kExchanger = 9;
// The header's line above the title, its date and program column, and its size.
constexpr double kHeaderTop = 1, kHeaderRight = 13, kHeaderPoints = 9;
// The chart spans the label column's edge to 2 cm short of the page's right edge, and ends
// 1.5 cm above its foot; it is left out where less than this room is left.
constexpr double kChartRightMargin = 2, kChartBottomMargin = 1.5, kChartMinWidth = 8,
                 kChartMinHeight = 4, kChartMaxHeight = 11;
// Room for the blank line and the caption above the chart (two 10-point lines), and the
// width the chart keeps on wider paper.
constexpr double kChartCaptionHeight = 1, kA4Width = 21;
// The body's size; a value too wide for its column is printed smaller down to kSmallestPoints,
// then in two lines of half the size. A column ends this short of the next one, the last one
// where the chart ends (kChartRightMargin). Longer texts than kMaxFitChars are not measured
// whole: they could not be read on the page anyway.
constexpr double kBodyPoints = 10, kSmallestPoints = 6, kColumnGap = 0.25;
constexpr qsizetype kMaxFitChars = 300;
// The document block at the page's foot, in the header's size, 1 cm above the printable area's
// end: two pairs of caption and text a row (the captions 2.3 cm before the texts) from the label
// column and from kDocumentRight, then at most kNotesLines lines of notes.
constexpr double kDocumentBottom = 1, kDocumentRight = 11, kDocumentCaption = 2.3;
constexpr int kNotesLines = 3;

QString fromText(const std::string& s) {
    return QString::fromStdString(s);
}

// The right edge of the page's last column: where the chart ends.
double pageRight(const ReportPrinter& p) {
    return std::min(p.areaCm().width(), kA4Width) - kChartRightMargin;
}

// How many characters of `text` (at least `least`), followed by `tail`, fit `width` in the
// current font, found by halving: the whole text does not.
qsizetype fittingLength(const ReportPrinter& p, const QString& text, double width,
                        const QString& tail, qsizetype least) {
    qsizetype fits = least, over = text.size();
    while (over - fits > 1) {
        const qsizetype mid = (fits + over) / 2;
        (p.textWidthCm(text.left(mid) + tail) <= width ? fits : over) = mid;
    }
    return fits;
}

// The text cut at its end, with "…", to `width` in the current font.
QString elided(const ReportPrinter& p, const QString& text, double width) {
    if (p.textWidthCm(text) <= width) return text;
    const QString ellipsis(QChar(0x2026));
    return text.left(fittingLength(p, text, width, ellipsis, 0)) + ellipsis;
}

// The text in at most `maxLines` lines of `width` in the current font, each broken after the
// last blank, hyphen or slash that fits (inside a word where none does); the last line is cut
// at its end where the text goes on.
QStringList wrapped(const ReportPrinter& p, const QString& text, double width, int maxLines) {
    QStringList lines;
    QString rest = text.left(kMaxFitChars);
    while (!rest.isEmpty()) {
        if (lines.size() + 1 == maxLines || p.textWidthCm(rest) <= width) {
            lines << elided(p, rest, width);
            break;
        }
        const qsizetype fits = fittingLength(p, rest, width, {}, 1);
        qsizetype cut = fits;
        for (qsizetype k = fits; k > 0; --k)
            if (rest[k] == ' ' || rest[k - 1] == '-' || rest[k - 1] == '/') {
                cut = k;
                break;
            }
        lines << rest.left(cut);
        rest = rest.mid(cut);
        while (rest.startsWith(' ')) rest.remove(0, 1);
    }
    return lines;
}

// The text in two lines of `width` in the current font, broken at the blank, hyphen or slash
// that makes them the most even where both then fit; else as wrapped.
QStringList twoLines(const ReportPrinter& p, const QString& text, double width) {
    QStringList best;
    double widest = width;
    for (qsizetype k = 1; k < std::min(text.size(), kMaxFitChars); ++k) {
        if (text[k] != ' ' && text[k - 1] != '-' && text[k - 1] != '/') continue;
        QString second = text.mid(k);
        while (second.startsWith(' ')) second.remove(0, 1);
        const double w = std::max(p.textWidthCm(text.left(k)), p.textWidthCm(second));
        if (w <= widest) {
            widest = w;
            best = {text.left(k), second};
        }
    }
    return best.isEmpty() ? wrapped(p, text, width, 2) : best;
}

// A value in its column, `width` wide, shrunk or wrapped rather than cut: as it is where it fits
// at `points`; else smaller, down to kSmallestPoints; else in two lines of half the size. The
// next row starts one line of `points` below, as after any line.
void printFitted(ReportPrinter& p, const QString& text, double width, double points) {
    const double top = p.currentY(), row = p.lineHeightCm();
    const double full = p.textWidthCm(text);
    if (full <= width) return p.printLine(text);
    double size = std::min(points - 0.5, std::floor(points * width / full * 2) / 2);
    for (; size >= kSmallestPoints; size -= 0.5) {
        p.setFontSize(size);
        if (p.textWidthCm(text) <= width) break;
    }
    if (size >= kSmallestPoints) {
        // On the row's baseline: a face's ascent is about four fifths of its line.
        p.setCurrentY(top + 0.8 * (row - p.lineHeightCm()));
        p.printLine(text);
    } else {
        p.setFontSize(points / 2);
        for (const QString& line : twoLines(p, text, width)) p.printLine(line);
    }
    p.setFontSize(points);
    p.setCurrentY(top + row);
}

// A value fitted in its column, in italics where the calculation found it.
void printValue(ReportPrinter& p, const QString& text, double width, bool found) {
    p.setItalic(found && !text.isEmpty());
    printFitted(p, text, width, kBodyPoints);
    p.setItalic(false);
}

// A column's values from the current row down, each within `width`.
template <std::size_t N>
void printValues(ReportPrinter& p, const std::array<QString, N>& values,
                 const std::array<bool, N>& found, double width) {
    for (std::size_t i = 0; i < N; ++i) printValue(p, values[i], width, found[i]);
}

// Below line 19, as the results window's extension shows them: a blank line, then the design
// margins and the hairpins that have a value, the caption with its unit in the label column
// and the value in the internal one.
void printExtras(ReportPrinter& p, const ReportTexts& t) {
    const double top = p.currentY();
    p.setScaleLeft(-kLabels);
    p.printLine({});
    for (std::size_t i = 0; i < zano::kExtraRows.size(); ++i) {
        if (t.extras[i].isEmpty()) continue;
        const zano::ExtraRow& row = zano::kExtraRows[i];
        p.printLine(
            reportLabel(row.caption, zano::shownUnit(row.quantity, row.unit, t.units.system)));
    }
    const double bottom = p.currentY();
    p.setCurrentY(top);
    p.setScaleLeft(-kInternal);
    p.printLine({});
    for (const QString& value : t.extras)
        if (!value.isEmpty()) printValue(p, value, pageRight(p) - kInternal, true);
    p.setCurrentY(bottom);
}

// Right below the hairpins, which they go on (no blank line, so that the profile keeps its room
// below): the construction's rows in the streams' columns, then the run's notes across the page.
void printConstruction(ReportPrinter& p, const ReportTexts& t) {
    if (t.construction.empty() && t.notes.isEmpty() && t.constructionLine.isEmpty()) return;
    const double top = p.currentY();
    p.setScaleLeft(-kLabels);
    for (const auto& row : t.construction) p.printLine(row[0]);
    for (const QString& note : QStringList{t.constructionLine} + t.notes)
        for (const QString& line : wrapped(p, note, pageRight(p) - kLabels, 2)) p.printLine(line);
    const double bottom = p.currentY();
    for (const auto& [left, column] : {std::pair{kInternal, 1}, std::pair{kExternal, 2}}) {
        p.setCurrentY(top);
        p.setScaleLeft(-left);
        const double width = (column == 1 ? kExternal - kColumnGap : pageRight(p)) - left;
        for (const auto& row : t.construction) printValue(p, row[column], width, true);
    }
    p.setCurrentY(bottom);
}

// Below the construction, in a smaller size so that the profile keeps its room: the hand
// check's lines across the page.
constexpr double kHandCheckPoints = 8;
void printHandCheck(ReportPrinter& p, const ReportTexts& t) {
    if (t.handCheck.isEmpty()) return;
    p.setScaleLeft(-kLabels);
    p.setFontSize(kHandCheckPoints);
    for (const QString& line : t.handCheck)
        printFitted(p, line, pageRight(p) - kLabels, kHandCheckPoints);
    p.setFontSize(kBodyPoints);
}

// Below the margins, in the same columns and line by line like them: a blank line (the hand
// check where it is printed), the correlation set, a blank line, the film rows, a blank line and
// the two lines on the other set.
void printFilms(ReportPrinter& p, const ReportTexts& t) {
    const QString blank;
    const double top = p.currentY();
    // The hand check above, when printed, stands for the blank line that parts them.
    const bool gap = t.handCheck.isEmpty();
    p.setScaleLeft(-kLabels);
    if (gap) p.printLine(blank);
    p.printLine(QStringLiteral("Correlation set"));
    p.printLine(blank);
    for (const auto& row : t.films) p.printLine(row[0]);
    p.printLine(blank);
    p.printLine(t.otherSet);
    p.printLine(t.setsDiffer);
    const double bottom = p.currentY();

    for (const auto& [left, column] : {std::pair{kInternal, 1}, std::pair{kExternal, 2}}) {
        p.setCurrentY(top);
        p.setScaleLeft(-left);
        if (gap) p.printLine(blank);
        p.printLine(column == 1 ? t.correlations : blank);
        p.printLine(blank);
        const double width = (column == 1 ? kExternal - kColumnGap : pageRight(p)) - left;
        for (const auto& row : t.films) printValue(p, row[column], width, true);
    }
    p.setCurrentY(bottom);
}

// The temperature profile in the rest of the page above `foot`, under a caption; left out when
// there is none or the page has no room for it.
void printChart(ReportPrinter& p, const ReportTexts& t, double foot) {
    if (t.profile.profile.points.size() < 2 && t.profile.built.curves.empty()) return;
    const double width = pageRight(p) - kLabels;
    const double height = std::min(foot - p.currentY() - kChartCaptionHeight, kChartMaxHeight);
    if (width < kChartMinWidth || height < kChartMinHeight) return;
    p.setScaleLeft(-kLabels);
    p.setCurrentX(0);
    p.printLine({});
    p.printLine(profileChartCaption(t.profile));
    ProfileChartData chart = t.profile;
    chart.units = t.units;
    p.drawChart(chart, width, height);
}

// The document block's rows of two captions and texts (those where either text is set), as
// indexes into zano::kDocumentFields: Project and Revision, Item and Prepared by, Service and
// Checked by.
std::vector<std::array<std::size_t, 2>> documentPairs(const ReportTexts& t) {
    std::vector<std::array<std::size_t, 2>> rows;
    for (const std::array<std::size_t, 2> pair : {std::array<std::size_t, 2>{0, 3}, {1, 4}, {2, 5}})
        if (!t.document[pair[0]].isEmpty() || !t.document[pair[1]].isEmpty()) rows.push_back(pair);
    return rows;
}

// The notes as printed under the pairs: their own lines, each wrapped to the block's width, at
// most kNotesLines; the last cut with "…" where more would follow.
QStringList noteLines(ReportPrinter& p, const ReportTexts& t) {
    const QString& notes = t.document[zano::kDocumentFields.size() - 1];
    if (notes.isEmpty()) return {};
    p.setFontSize(kHeaderPoints);
    const double width = pageRight(p) - kLabels - kDocumentCaption;
    QStringList lines;
    for (const QString& paragraph : QString(notes).remove('\r').split('\n'))
        lines += wrapped(p, paragraph, width, kNotesLines + 1);
    if (lines.size() > kNotesLines) {
        lines = lines.mid(0, kNotesLines);
        lines.back() = elided(p, lines.back() + QChar(0x2026), width);
    }
    return lines;
}

// A line of the document block: its left edge and its row, from the block's top.
struct FootLine {
    double left;
    QString text;
    int row;
};

// The document block's lines in the header's size: each pair's captions, their texts beside
// them in one or two lines, then the notes.
std::vector<FootLine> documentLines(ReportPrinter& p, const ReportTexts& t) {
    std::vector<FootLine> lines;
    int row = 0;
    for (const auto& pair : documentPairs(t)) {
        int rows = 1;
        for (const std::size_t i : pair) {
            const double left = i < 3 ? kLabels : kDocumentRight;
            const double right = i < 3 ? kDocumentRight - kColumnGap : pageRight(p);
            lines.push_back({left, QString::fromUtf8(zano::kDocumentFields[i].caption), row});
            p.setFontSize(kHeaderPoints);
            const QStringList parts = wrapped(p, QString(t.document[i]).replace('\n', ' '),
                                              right - left - kDocumentCaption, 2);
            for (qsizetype k = 0; k < parts.size(); ++k)
                lines.push_back({left + kDocumentCaption, parts[k], row + static_cast<int>(k)});
            rows = std::max(rows, static_cast<int>(parts.size()));
        }
        row += rows;
    }
    const QStringList notes = noteLines(p, t);
    if (!notes.isEmpty())
        lines.push_back({kLabels, QString::fromUtf8(zano::kDocumentFields.back().caption), row});
    for (qsizetype k = 0; k < notes.size(); ++k)
        lines.push_back({kLabels + kDocumentCaption, notes[k], row + static_cast<int>(k)});
    p.setFontSize(kBodyPoints);
    return lines;
}

// The document block at the page's foot, whose top is returned: as high as its rows take, 1 cm
// above the printable area's end; without one, the area's end less the chart's margin.
double printDocument(ReportPrinter& p, const ReportTexts& t) {
    const std::vector<FootLine> lines = documentLines(p, t);
    const double bottom = p.areaCm().height();
    if (lines.empty()) return bottom - kChartBottomMargin;
    p.setFontSize(kHeaderPoints);
    const double height = p.lineHeightCm();
    int rows = 0;
    for (const FootLine& line : lines) rows = std::max(rows, line.row + 1);
    const double top = bottom - kDocumentBottom - rows * height;
    for (const FootLine& line : lines) {
        p.setCurrentY(top + line.row * height);
        p.setScaleLeft(-line.left);
        p.setCurrentX(0);
        p.printLine(line.text);
    }
    p.setFontSize(kBodyPoints);
    return top;
}

// The title and lines 1 to 19, then the legend of the italics where they mark any value.
void printBody(ReportPrinter& p, const ReportTexts& t) {
    const QString blank;
    p.setScaleLeft(-kLabels);
    p.setCurrentX(0);
    p.setCurrentY(2);
    p.setFontSize(14);
    p.printLine(QStringLiteral("CONCENTRIC TUBE HEAT EXCHANGER CALCULATION"));

    // Each column is printed top to bottom from 3 cm; the rows line up because every column
    // advances by the same line height.
    p.setCurrentY(3);
    p.setFontSize(kBodyPoints);
    p.printLine(reportUnitsLine(t.units.system));  // a blank line in SI
    p.printLine(blank);
    const zano::UnitSystem system = t.units.system;
    for (const ReportRow& row : kReportStreamRows) p.printLine(reportRowLabel(row, system));
    p.printLine(blank);
    for (const ReportRow& row : kReportExchangerRows) p.printLine(reportRowLabel(row, system));
    p.printLine(QStringLiteral("Configuration"));

    for (const auto& [left, title, values, found] :
         {std::tuple{kInternal, "INTERNAL PIPE", &t.internal, &t.internalFound},
          std::tuple{kExternal, "EXTERNAL PIPE", &t.external, &t.externalFound}}) {
        p.setCurrentY(3);
        p.setScaleLeft(-left);
        p.printLine(blank);
        p.printLine(QString::fromLatin1(title));
        const double right = left == kInternal ? kExternal - kColumnGap : pageRight(p);
        printValues(p, *values, *found, right - left);
    }

    // The exchanger column goes on from where the external column ended (line 14).
    p.setScaleLeft(-kExchanger);
    p.printLine(blank);
    printValues(p, t.exchanger, t.exchangerFound, pageRight(p) - kExchanger);
    p.printLine(t.configuration);

    const auto any = [](const auto& values, const auto& found) {
        for (std::size_t i = 0; i < values.size(); ++i)
            if (found[i] && !values[i].isEmpty()) return true;
        return false;
    };
    if (any(t.internal, t.internalFound) || any(t.external, t.externalFound) ||
        any(t.exchanger, t.exchangerFound)) {
        p.setScaleLeft(-kLabels);
        p.setItalic(true);
        p.printLine(QStringLiteral("Values in italics were found by the calculation."));
        p.setItalic(false);
    }
}

// Above the title: the case file's name, then the date of printing and the program.
void printHeader(ReportPrinter& p, const ReportTexts& t) {
    p.setFontSize(kHeaderPoints);
    p.setScaleLeft(-kLabels);
    p.setCurrentX(0);
    p.setCurrentY(kHeaderTop);
    p.printLine(t.caseName);
    p.setScaleLeft(-kHeaderRight);
    p.setCurrentY(kHeaderTop);
    p.printLine(t.printedOn + QStringLiteral("   ") + QString::fromUtf8(zano::programVersion()));
}

}  // namespace

QString reportRowLabel(const ReportRow& row, zano::UnitSystem system) {
    std::string label = zano::unitCaption(row.label, row.quantity, system);
    // The US unit is twice the SI one's width: the words give way so that the label keeps to
    // its column rather than running into the value.
    const std::string_view longWords = "Heat transfer coefficient ";
    if (system == zano::UnitSystem::US && label.starts_with(longWords))
        label.replace(0, longWords.size(), "Heat transfer coef. ");
    const char* unit = zano::shownUnit(row.quantity, "", system);
    if (system == zano::UnitSystem::SI || label != row.label || !*unit) return fromText(label);
    return fromText(label + " " + unit);  // the pressure, which has no unit in SI
}

QString reportUnitsLine(zano::UnitSystem system) {
    if (system == zano::UnitSystem::SI) return {};
    return "Units: " + fromText(std::string(zano::systemName(system))) + " (NIST SP 811)";
}

QString reportLabel(const char* caption, const char* unit) {
    QString label = QString::fromUtf8(caption);
    if (*unit) label += ' ' + QString::fromUtf8(unit);
    return label;
}

void readReportRows(ReportTexts& t, const std::function<QString(const ReportSource&)>& read) {
    for (std::size_t i = 0; i < kReportStreamRows.size(); ++i) {
        t.internal[i] = read(kReportStreamRows[i].internal);
        t.external[i] = read(kReportStreamRows[i].external);
    }
    for (std::size_t i = 0; i < kReportExchangerRows.size(); ++i)
        t.exchanger[i] = read(kReportExchangerRows[i].internal);
}

void readCaseMarks(ReportTexts& t, const zano::CaseData& c) {
    // A case field is found in some modes; a results box always, unless the case gives it.
    const auto foundInModes = [&c](std::string zano::CaseData::*text) {
        const zano::CaseField* f = zano::caseFieldOf(text);
        return f && zano::isFound(*f, c);
    };
    const auto found = [&](const ReportSource& s) {
        if (s.field) return foundInModes(s.field);
        return s.resultsBox && (!s.givenAs || foundInModes(s.givenAs));
    };
    for (std::size_t i = 0; i < kReportStreamRows.size(); ++i) {
        t.internalFound[i] = found(kReportStreamRows[i].internal);
        t.externalFound[i] = found(kReportStreamRows[i].external);
    }
    for (std::size_t i = 0; i < kReportExchangerRows.size(); ++i)
        t.exchangerFound[i] = found(kReportExchangerRows[i].internal);
    for (std::size_t i = 0; i < zano::kDocumentFields.size(); ++i)
        t.document[i] = fromText(c.*zano::kDocumentFields[i].text);
}

namespace {

// The run's notes, and the construction's figures as the results window shows them.
void addConstruction(ReportTexts& t, const zano::ResultsExtras& x) {
    for (const std::string& note : x.notes) t.notes << "Note: " + fromText(note);
    if (x.hairpins && zano::hasConstructionFigures(*x.hairpins))
        setConstruction(t, zano::constructionRows(*x.hairpins, t.units));
}

// What the results window's extension shows, in the texts' units: the margins and hairpins,
// the correlation set, what makes up U, the construction, the hand check and the other sets.
void addExtension(ReportTexts& t, const zano::ResultsExtras& x) {
    const zano::Units& u = t.units;
    const auto extras = zano::extraTexts(x, u);
    for (std::size_t i = 0; i < extras.size(); ++i) t.extras[i] = fromText(extras[i].text);
    if (x.correlations) t.correlations = QString::fromLatin1(correlationSetName(*x.correlations));
    for (const zano::FilmRow& row : zano::filmRows(x.films.value_or(zano::FilmBreakdown{}), u))
        if (!row.repeatsAResultsRow)
            t.films.push_back({reportLabel(row.caption, row.unit),
                               x.films ? fromText(row.internal) : QString(),
                               x.films ? fromText(row.external) : QString()});
    addConstruction(t, x);
    if (x.handCheck) setHandCheck(t, zano::handCheckRows(x.handCheck, u));
    if (x.otherSet) {
        t.otherSet = fromText(zano::otherSetLine(*x.otherSet, u));
        t.setsDiffer = fromText(zano::setsDifferLine(*x.otherSet));
    }
}

}  // namespace

void setConstruction(ReportTexts& t, const std::vector<zano::ConstructionRow>& rows) {
    QStringList whole;
    const char* kPa = zano::shownUnit(zano::Quantity::PressureDrop, "kPa", t.units.system);
    std::array<QString, 3> drop{reportLabel("Pressure drop as built", kPa)};
    t.construction.clear();
    for (const zano::ConstructionRow& row : rows) {
        const std::string_view box = row.box;
        const QString in = fromText(row.internal), est = fromText(row.external);
        if (in.isEmpty() && est.isEmpty()) continue;
        if (box == "OverSurface" || box == "RatedCapacity" || box == "CorrectionF") {
            whole << fromText(row.caption) + " " + in + (*row.unit ? " " + fromText(row.unit) : "");
        } else if (box == "DropBuilt") {
            drop[1] = in, drop[2] = est;
        } else if (box == "DropAllowed") {
            drop[0] = reportLabel("Pressure drop as built / allowed", kPa);
            for (auto [text, allowed] : {std::pair{&drop[1], &in}, {&drop[2], &est}})
                if (!allowed->isEmpty()) *text += " / " + *allowed;
        } else if (box == "Branches") {
            whole.prepend("Branches " + in + " / " + est);
        } else if (box == "ToutBuilt" || box == "PortBuilt") {
            t.construction.push_back({reportLabel(row.caption, row.unit), in, est});
        }
    }
    if (!drop[1].isEmpty()) t.construction.push_back(drop);
    t.constructionLine = whole.join(QString::fromUtf8(" · "));
}

void setHandCheck(ReportTexts& t, const std::vector<zano::HandCheckRow>& rows) {
    // The symbols a hand check writes, by the fold's box names.
    static const std::map<std::string_view, const char*> symbols{
        {"LogMean", "ΔTlm"},        {"MeanUsed", "q/(U a)"}, {"CapacityRate", "C"},
        {"RateRatio", "Cmin/Cmax"}, {"Ntu", "NTU"},          {"Effectiveness", "ε"},
        {"MaxDuty", "Qmax"},        {"Density", "ρ"},        {"SpecificHeat", "cp"},
        {"Conductivity", "k"},      {"Viscosity", "μ"},      {"WallViscosity", "μw"}};
    QStringList whole, sides;
    for (const zano::HandCheckRow& row : rows) {
        if (row.internal.empty()) continue;
        const QString unit = *row.unit ? " " + fromText(row.unit) : QString();
        const QString symbol = QString::fromUtf8(symbols.at(row.box)) + " ";
        if (!row.eachStream)
            whole << symbol + fromText(row.internal) + unit;
        else  // the capacity rates beside their ratio, the properties on the streams' line
            (std::string_view(row.box) == "CapacityRate" ? whole : sides)
                << symbol + fromText(row.internal) + " / " + fromText(row.external) + unit;
    }
    t.handCheck.clear();
    if (whole.isEmpty()) return;
    const QString dot = QString::fromUtf8(" · ");
    t.handCheck << "Hand check: " + whole.join(dot) << "Internal / external: " + sides.join(dot);
}

ReportTexts caseReportTexts(const zano::CaseData& c, const zano::ResultsData& r,
                            const zano::ResultsExtras& x, const zano::TemperatureProfile& profile,
                            const QString& caseName, const zano::Units& units) {
    const auto boxes = zano::displayTexts(r, units);
    const auto read = [&](const ReportSource& source) {
        if (source.field)
            return fromText(
                zano::shownText(zano::caseFieldOf(source.field)->quantity, c.*source.field, units));
        return source.resultsBox ? fromText(zano::boxText(boxes, source.resultsBox)) : QString();
    };
    ReportTexts t;
    t.units = units;
    readReportRows(t, read);
    readCaseMarks(t, c);
    t.configuration = QString::fromLatin1(c.controequi == zano::Arrangement::Equicurrent
                                              ? kEquicurrentCaption
                                              : kCountercurrentCaption);
    addExtension(t, x);
    t.caseName = caseName;
    t.printedOn = reportDateText();
    t.profile = profileChartData(profile, r, x.hairpins, units);
    return t;
}

std::optional<ReportTexts> calculatedReportTexts(const zano::CaseRun& run, const QString& caseName,
                                                 const zano::Units& units) {
    if (!run.ok()) return std::nullopt;
    const zano::CalcOutcome& out = run.out;
    const zano::ResultsExtras x = zano::extrasOf(run);
    return caseReportTexts(run.solved, *out.results, x,
                           run.profile.value_or(zano::TemperatureProfile{}), caseName, units);
}

QString reportDateText() {
    bool ok = false;
    const qint64 epoch = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&ok);
    if (ok) return QDateTime::fromSecsSinceEpoch(epoch, Qt::UTC).date().toString(Qt::ISODate);
    return QDate::currentDate().toString(Qt::ISODate);
}

bool printReport(ReportPrinter& p, const ReportTexts& t) {
    try {
        printBody(p, t);
        // Nothing of the results window's extension is shown while it shows no results.
        if (!t.correlations.isEmpty()) {
            printExtras(p, t);
            printConstruction(p, t);
            printHandCheck(p, t);
            printFilms(p, t);
        }
        const double top = p.currentY();
        const double foot = printDocument(p, t);
        p.setCurrentY(top);
        printChart(p, t, foot);
        printHeader(p, t);

        p.endDocument();
        return true;
    } catch (const ReportPrintError&) {
        p.abortDocument();
        return false;
    } catch (...) {
        // A fault outside the printer (memory exhausted, say) cancels the job too; the caller
        // reports it.
        p.abortDocument();
        throw;
    }
}

PaintReportPrinter::PaintReportPrinter(QPaintDevice& device, int resolution)
    : device_(device), resolution_(resolution) {}

double PaintReportPrinter::device(double cm) const {
    return cm / kCmPerInch * resolution_;
}

QSizeF PaintReportPrinter::areaCm() const {
    return QSizeF(device_.width(), device_.height()) / resolution_ * kCmPerInch;
}

void PaintReportPrinter::setFontSize(double points) {
    font_.setPointSizeF(points);
}

double PaintReportPrinter::textWidthCm(const QString& text) const {
    return QFontMetricsF(font_, &device_).horizontalAdvance(text) / resolution_ * kCmPerInch;
}

double PaintReportPrinter::lineHeightCm() const {
    return QFontMetricsF(font_, &device_).lineSpacing() / resolution_ * kCmPerInch;
}

void PaintReportPrinter::printLine(const QString& text) {
    items_.push_back({text, x_ - scaleLeft_, y_, font_});
    // Metrics on the device itself: the advance matches what it will draw.
    y_ += lineHeightCm();
    x_ = 0;
}

void PaintReportPrinter::drawChart(const ProfileChartData& chart, double widthCm, double heightCm) {
    items_.push_back({{}, x_ - scaleLeft_, y_, font_, chart, widthCm, heightCm});
    y_ += heightCm;
    x_ = 0;
}

void PaintReportPrinter::draw(QPainter& painter, const Item& item) const {
    if (item.chart.profile.points.empty()) {
        painter.setFont(item.font);
        const QFontMetricsF fm(item.font, &device_);
        // A text runs up to the next text on its row, or to the printable area's right edge; one
        // longer (a long file name, a long message) is shortened in its middle, not cut off.
        double right = device_.width();
        // On its row: a text whose top lies within half a line of its own (a line's font is a
        // little taller than the lines' spacing, so the rows above and below touch it).
        const double top = device(item.yCm);
        for (const Item& other : items_) {
            if (other.text.isEmpty() || other.xCm <= item.xCm) continue;
            if (std::abs(device(other.yCm) - top) < fm.height() / 2)
                right = std::min(right, device(other.xCm));
        }
        const double left = device(item.xCm);
        const QString text = fm.elidedText(item.text, Qt::ElideMiddle, std::max(0.0, right - left));
        painter.drawText(QPointF(left, top + fm.ascent()), text);
        return;
    }
    // The chart is drawn as on a screen of 96 dots per inch scaled to the page, so that its
    // pens and proportions are those of the profile window; its texts are 9 points high.
    constexpr double kChartDpi = 96;
    const double scale = resolution_ / kChartDpi;
    painter.save();
    painter.translate(device(item.xCm), device(item.yCm));
    painter.scale(scale, scale);
    QFont font(item.font);
    font.setPixelSize(static_cast<int>(9 * kChartDpi / 72));
    painter.setFont(font);
    const double dots = kChartDpi / kCmPerInch;
    drawProfileChart(painter, QRectF(0, 0, item.widthCm * dots, item.heightCm * dots), item.chart);
    painter.restore();
}

void PaintReportPrinter::endDocument() {
    if (!painter_.begin(&device_)) throw ReportPrintError("the printer cannot be opened");
    for (const Item& item : items_) draw(painter_, item);
    if (deviceFailed() || !painter_.end()) throw ReportPrintError("the printer reported an error");
    items_.clear();
}

void PaintReportPrinter::abortDocument() {
    items_.clear();
    if (!painter_.isActive()) return;
    cancelDevice();
    painter_.end();
}

QPageLayout a4ReportLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

QByteArray reportPdf(const ReportTexts& texts, const QPageLayout& layout) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(layout);
        writer.setTitle(QStringLiteral("ZANO report"));
        writer.setCreator(QString::fromUtf8(zano::programVersion()));
        PaintReportPrinter p(writer, writer.resolution());
        if (!printReport(p, texts)) return {};
    }  // the writer ends the file
    return bytes;
}

QString writeReportPdf(const QString& path, const ReportTexts& texts, const QPageLayout& layout) {
    const QByteArray pdf = reportPdf(texts, layout);
    return pdf.isEmpty() ? QStringLiteral("The page could not be composed.")
                         : zano::writeExportFile(path, pdf);
}
