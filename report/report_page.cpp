#include "report/report_page.h"

#include <QBuffer>
#include <QDate>
#include <QDateTime>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "base/version.h"
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

QString fromText(const std::string& s) {
    return QString::fromStdString(s);
}

template <std::size_t N>
void printColumn(ReportPrinter& p, const std::array<QString, N>& lines) {
    for (const QString& line : lines) p.printLine(line);
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
        p.printLine(reportLabel(zano::kExtraRows[i].caption, zano::kExtraRows[i].unit));
    }
    const double bottom = p.currentY();
    p.setCurrentY(top);
    p.setScaleLeft(-kInternal);
    p.printLine({});
    for (const QString& value : t.extras)
        if (!value.isEmpty()) p.printLine(value);
    p.setCurrentY(bottom);
}

// Below the margins, in the same columns and line by line like them: a blank line, the
// correlation set, a blank line, the film rows, a blank line and the two lines on the other set.
void printFilms(ReportPrinter& p, const ReportTexts& t) {
    const QString blank;
    const double top = p.currentY();
    p.setScaleLeft(-kLabels);
    p.printLine(blank);
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
        p.printLine(blank);
        p.printLine(column == 1 ? t.correlations : blank);
        p.printLine(blank);
        for (const auto& row : t.films) p.printLine(row[column]);
    }
    p.setCurrentY(bottom);
}

// The temperature profile in the rest of the page, under a caption; left out when there is
// none or the page has no room for it.
void printChart(ReportPrinter& p, const ReportTexts& t) {
    if (t.profile.profile.points.size() < 2) return;
    const QSizeF area = p.areaCm();
    const double width = std::min(area.width(), kA4Width) - kLabels - kChartRightMargin;
    const double height = std::min(
        area.height() - kChartBottomMargin - p.currentY() - kChartCaptionHeight, kChartMaxHeight);
    if (width < kChartMinWidth || height < kChartMinHeight) return;
    p.setScaleLeft(-kLabels);
    p.setCurrentX(0);
    p.printLine({});
    p.printLine(QStringLiteral("Temperature profile"));
    p.drawChart(t.profile, width, height);
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

ReportTexts caseReportTexts(const zano::CaseData& c, const zano::ResultsData& r,
                            const zano::ResultsExtras& x, const zano::TemperatureProfile& profile,
                            const QString& caseName) {
    const auto boxes = zano::displayTexts(r);
    const auto read = [&](const ReportSource& source) {
        if (source.field) return fromText(c.*source.field);
        return source.resultsBox ? fromText(zano::boxText(boxes, source.resultsBox)) : QString();
    };
    ReportTexts t;
    readReportRows(t, read);
    t.configuration = QString::fromLatin1(c.controequi == zano::Arrangement::Equicurrent
                                              ? kEquicurrentCaption
                                              : kCountercurrentCaption);
    const auto extras = zano::extraTexts(x);
    for (std::size_t i = 0; i < extras.size(); ++i) t.extras[i] = fromText(extras[i].text);
    if (x.correlations) t.correlations = QString::fromLatin1(correlationSetName(*x.correlations));
    for (const zano::FilmRow& row : zano::filmRows(x.films.value_or(zano::FilmBreakdown{})))
        if (!row.repeatsAResultsRow)
            t.films.push_back({reportLabel(row.caption, row.unit),
                               x.films ? fromText(row.internal) : QString(),
                               x.films ? fromText(row.external) : QString()});
    if (x.otherSet) {
        t.otherSet = fromText(zano::otherSetLine(*x.otherSet));
        t.setsDiffer = fromText(zano::setsDifferLine(*x.otherSet));
    }
    t.caseName = caseName;
    t.printedOn = reportDateText();
    t.profile = {profile, fromText(r.intfluid), fromText(r.estfluid)};
    return t;
}

std::optional<ReportTexts> calculatedReportTexts(const zano::CaseRun& run,
                                                 const QString& caseName) {
    if (!run.ok()) return std::nullopt;
    const zano::CalcOutcome& out = run.out;
    const zano::ResultsExtras x{out.margins, run.hairpins, out.films, run.solved.correlations,
                                run.otherSet};
    return caseReportTexts(run.solved, *out.results, x,
                           run.profile.value_or(zano::TemperatureProfile{}), caseName);
}

QString reportDateText() {
    bool ok = false;
    const qint64 epoch = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&ok);
    if (ok) return QDateTime::fromSecsSinceEpoch(epoch, Qt::UTC).date().toString(Qt::ISODate);
    return QDate::currentDate().toString(Qt::ISODate);
}

bool printReport(ReportPrinter& p, const ReportTexts& t) {
    const QString blank;
    try {
        p.setScaleLeft(-kLabels);
        p.setCurrentX(0);
        p.setCurrentY(2);
        p.setFontSize(14);
        p.printLine(QStringLiteral("CONCENTRIC TUBE HEAT EXCHANGER CALCULATION"));

        // Each column is printed top to bottom from 3 cm; the rows line up because every
        // column advances by the same line height.
        p.setCurrentY(3);
        p.setFontSize(10);
        p.printLine(blank);
        p.printLine(blank);
        for (const ReportRow& row : kReportStreamRows) p.printLine(QString::fromUtf8(row.label));
        p.printLine(blank);
        for (const ReportRow& row : kReportExchangerRows) p.printLine(QString::fromUtf8(row.label));
        p.printLine(QStringLiteral("Configuration"));

        p.setCurrentY(3);
        p.setScaleLeft(-kInternal);
        p.printLine(blank);
        p.printLine(QStringLiteral("INTERNAL PIPE"));
        printColumn(p, t.internal);

        p.setCurrentY(3);
        p.setScaleLeft(-kExternal);
        p.printLine(blank);
        p.printLine(QStringLiteral("EXTERNAL PIPE"));
        printColumn(p, t.external);

        // The exchanger column goes on from where the external column ended (line 14).
        p.setScaleLeft(-kExchanger);
        p.printLine(blank);
        printColumn(p, t.exchanger);
        p.printLine(t.configuration);

        // Nothing of the results window's extension is shown while it shows no results.
        if (!t.correlations.isEmpty()) {
            printExtras(p, t);
            printFilms(p, t);
        }
        printChart(p, t);
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

void PaintReportPrinter::printLine(const QString& text) {
    items_.push_back({text, x_ - scaleLeft_, y_, font_});
    // Metrics on the device itself: the advance matches what it will draw.
    const QFontMetricsF fm(font_, &device_);
    y_ += fm.lineSpacing() / resolution_ * kCmPerInch;
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
        const double top = device(item.yCm), bottom = top + fm.height();
        for (const Item& other : items_) {
            if (other.text.isEmpty() || other.xCm <= item.xCm) continue;
            const double otherTop = device(other.yCm);
            if (otherTop < bottom && otherTop + QFontMetricsF(other.font, &device_).height() > top)
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

bool printReportToPdf(const QString& path, const ReportTexts& texts) {
    return writeReportPdf(path, texts).isEmpty();
}
