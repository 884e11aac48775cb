#include "shell/profile_window.h"

#include <QBuffer>
#include <QHBoxLayout>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QSvgGenerator>
#include <QVBoxLayout>

#include "base/faults.h"
#include "report/export_file.h"
#include "shell/screen_fit.h"
#include "shell/unit_choice.h"
#include "shell/user_prompts.h"
#include "shell/window_keys.h"

ProfileChart::ProfileChart(QWidget* parent) : QWidget(parent) {
    setMinimumSize(480, 320);
    // The axes in the units the user reads, drawn again when they change.
    connect(&zano::UnitChoice::instance(), &zano::UnitChoice::changed, this, [this] {
        data_.units = zano::currentUnits();
        update();
    });
}

void ProfileChart::setData(const ProfileChartData& data) {
    data_ = data;
    data_.units = zano::currentUnits();
    update();
}

void ProfileChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    drawProfileChart(p, rect(), data_);
}

ProfileWindow::ProfileWindow(QWidget* parent) : QWidget(parent), chart_(new ProfileChart(this)) {
    setObjectName("ProfileWindow");
    setWindowTitle(tr("Profile"));
    auto* png = new QPushButton(tr("Save PNG..."), this);
    auto* svg = new QPushButton(tr("Save SVG..."), this);
    auto* close = new QPushButton(tr("Close"), this);
    png->setObjectName("SavePng");
    svg->setObjectName("SaveSvg");
    close->setObjectName("Close");
    connect(png, &QPushButton::clicked, this, [this] { saveAs("PNG image (*.png)"); });
    connect(svg, &QPushButton::clicked, this, [this] { saveAs("SVG drawing (*.svg)"); });
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(png);
    buttons->addWidget(svg);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chart_, 1);
    layout->addLayout(buttons);
    zano::fitResizableToScreen(this, QSize(760, 520));
    zano::hideOnEscape(this);  // as "Close"
}

void ProfileWindow::setData(const ProfileChartData& data) {
    chart_->setData(data);
}

QByteArray ProfileWindow::png(QSize size) const {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    drawProfileChart(p, QRectF(QPointF(0, 0), QSizeF(size)), chart_->data());
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? bytes : QByteArray();
}

QByteArray ProfileWindow::svg(QSize size) const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle("ZANO temperature profile");
    QPainter p;
    if (!p.begin(&svg)) return {};
    drawProfileChart(p, QRectF(QPointF(0, 0), QSizeF(size)), chart_->data());
    return p.end() ? bytes : QByteArray();
}

QString ProfileWindow::save(const QString& file, const QByteArray& bytes) {
    // Drawn whole before the file is touched, then put in place like every save.
    return bytes.isEmpty() ? tr("The chart could not be drawn.")
                           : zano::writeExportFile(file, bytes);
}

bool ProfileWindow::savePng(const QString& file, QSize size) const {
    return save(file, png(size)).isEmpty();
}

bool ProfileWindow::saveSvg(const QString& file, QSize size) const {
    return save(file, svg(size)).isEmpty();
}

void ProfileWindow::saveAs(const QString& filter) {
    QString file;
    try {
        const zano::SaveAnswer a =
            zano::askSaveFileName(this, tr("Save the profile"), {filter}, {});
        if (a.name.isEmpty()) return;  // Cancel
        file = zano::withFilterSuffix(a.name, filter);
        const bool isPng = zano::filterSuffix(filter) == QLatin1String("png");
        const QString why = save(file, isPng ? png() : svg());
        if (!why.isEmpty()) zano::warn(this, failedText(file), why);
    } catch (...) {  // a fault outside the checks: memory exhausted, say
        zano::warn(this, failedText(file), QString::fromStdString(zano::faultText()));
    }
}

QString ProfileWindow::failedText(const QString& file) {
    return tr("The profile could not be written to %1.").arg(file);
}
