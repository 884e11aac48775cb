// make_manual: renders the manual's HTML source into a PDF with Qt's own text layout and PDF
// writer, so that building the manual needs nothing beyond Qt.
//   make_manual SOURCE.html OUTPUT.pdf
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_manual SOURCE.html OUTPUT.pdf VERSION\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make_manual: cannot read %s\n", argv[1]);
        return 1;
    }
    // The version is the build's, written in the source as @VERSION@.
    const QString html = QString::fromUtf8(source.readAll())
                             .replace(QStringLiteral("@VERSION@"), QString::fromLocal8Bit(argv[3]));

    QTextDocument doc;
    QFont body(QStringLiteral("DejaVu Sans"));
    body.setStyleHint(QFont::SansSerif);
    body.setPointSizeF(10);
    doc.setDefaultFont(body);
    doc.setHtml(html);

    // Written beside the target and renamed over it at the end, so that a failed run never
    // leaves a broken manual behind.
    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "make_manual: cannot write %s\n", argv[2]);
        return 1;
    }
    {
        QPdfWriter writer(&out);
        writer.setTitle(QStringLiteral("Using ZANO"));
        writer.setCreator(QStringLiteral("ZANO"));
        writer.setResolution(300);
        // No margins of the writer's own: the document's pages carry 2 cm margins and a page
        // number.
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        doc.print(&writer);
    }
    if (!out.commit()) {
        std::fprintf(stderr, "make_manual: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
