// The "Profile" window: the chart of a calculated example, on screen, as PNG and as SVG.
#include "shell/profile_window.h"

#include <QFile>
#include <QImage>
#include <QtTest>

#include "formats/case_file.h"
#include "properties/fluid_table.h"
#include "solver/driver.h"

class ProfileWindowTest : public QObject {
    Q_OBJECT

    ProfileChartData exampleChart() {
        zano::CaseData c =
            zano::loadCaseFile(ZANO_SOURCE_DIR "/examples/water-heated-by-water.zan");
        zano::CalcState s;
        zano::dbmateriale(s);
        const zano::CalcOutcome out = zano::calculate(c, s);
        if (!out.ok()) qFatal("the example does not calculate: %s", out.detail.c_str());
        return {zano::temperatureProfile(s, *out.results, 100), "Water", "Water"};
    }

    // Pixels of a colour close to `c` in the image.
    static int pixelsNear(const QImage& image, QColor c) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor p = image.pixelColor(x, y);
                if (std::abs(p.red() - c.red()) + std::abs(p.green() - c.green()) +
                        std::abs(p.blue() - c.blue()) <
                    60)
                    ++n;
            }
        return n;
    }

  private slots:
    void rendersBothCurvesToPngAndSvg() {
        ProfileWindow w;
        QVERIFY(!w.hasProfile());
        w.setData(exampleChart());
        QVERIFY(w.hasProfile());
        const QString dir = QString::fromStdString(zano::QuestaDirectory().string());
        const QString png = dir + "/profile_window.png", svg = dir + "/profile_window.svg";
        QVERIFY(w.savePng(png));
        QVERIFY(w.saveSvg(svg));
        const QImage image(png);
        QCOMPARE(image.size(), QSize(1200, 800));
        QVERIFY(pixelsNear(image, QColor(200, 40, 30)) > 1000);  // the internal curve
        QVERIFY(pixelsNear(image, QColor(30, 80, 200)) > 1000);  // the external curve
        QFile file(svg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.contains("<svg"));
        QVERIFY(text.contains("Internal: Water"));
        QVERIFY(text.contains("Temperature [°C]"));
        w.show();
        QVERIFY(w.grab().save(dir + "/profile_window_screen.png"));
        QVERIFY(!w.savePng("/nonexistent/folder/x.png"));
    }
};

QTEST_MAIN(ProfileWindowTest)
#include "profile_window_test.moc"
