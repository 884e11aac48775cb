// make_manual: renders the manual's HTML source into a PDF with Qt's own text layout and PDF
// writer, so that building the manual needs nothing beyond Qt. The contents list gets the page
// of each chapter and a link to it, and the PDF an outline (bookmarks) of the chapters and their
// sections, which readers of PDF files, and the program's manual window, show beside the pages.
//   make_manual SOURCE.html OUTPUT.pdf VERSION
#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QMap>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <cstdio>
#include <vector>

namespace {

// Where the source wants the contents: one row per chapter, with its page.
const QString kContentsMark = QStringLiteral("<!-- contents -->");
// The pages' margins, as a printed document has them: 2 cm, in the layout's units (1/96 inch,
// which the layout scales to the writer's resolution).
constexpr double kMargin = 2 / 2.54 * 96;

// A chapter (level 1, an h2) or a section in it (level 2, an h3), and where it starts: its page
// from 0 and its top, in points from the page's top.
struct Heading {
    int level;
    QString title;
    int page;
    double top;
    bool operator==(const Heading&) const = default;
};

// A place of a page (points from its bottom left corner, as PDF counts) that leads to a chapter.
struct Link {
    int page;
    QRectF rect;
    int heading;
};

// The contents: each chapter with its page, counted from 1, at the right.
QString contentsTable(const std::vector<Heading>& headings) {
    QString rows;
    for (const Heading& h : headings)
        if (h.level == 1)
            rows += QStringLiteral("<tr><td>%1</td><td align=\"right\">%2</td></tr>\n")
                        .arg(h.title.toHtmlEscaped())
                        .arg(h.page + 1);
    return "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"1\">\n" + rows + "</table>";
}

// The document laid out on the writer's pages, with the contents for `headings`.
void layOut(QTextDocument& doc, const QString& html, const std::vector<Heading>& headings,
            QPdfWriter& writer) {
    doc.setHtml(QString(html).replace(kContentsMark, contentsTable(headings)));
    doc.documentLayout()->setPaintDevice(&writer);
    QTextFrameFormat page = doc.rootFrame()->frameFormat();
    page.setMargin(kMargin);
    doc.rootFrame()->setFrameFormat(page);
    doc.setPageSize(QSizeF(writer.width(), writer.height()));
}

// Points from the page's top of a height in the layout, which is in the writer's pixels.
double points(double pixels, const QPdfWriter& writer) {
    return pixels * 72.0 / writer.resolution();
}

// The chapters and their sections as laid out; the headings before the first chapter (the
// contents') are none of them.
std::vector<Heading> headingsOf(const QTextDocument& doc, const QPdfWriter& writer) {
    std::vector<Heading> headings;
    const double pageHeight = doc.pageSize().height();
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const int level = b.blockFormat().headingLevel() - 1;
        if (level != 1 && (level != 2 || headings.empty())) continue;
        const double top = doc.documentLayout()->blockBoundingRect(b).top();
        const int page = static_cast<int>(top / pageHeight);
        headings.push_back(
            {level, b.text().simplified(), page, points(top - page * pageHeight, writer)});
    }
    return headings;
}

// The contents' rows, each leading to its chapter: the rows of a two-column table whose first
// cell is a chapter's title.
std::vector<Link> contentsLinks(const QTextDocument& doc, const std::vector<Heading>& headings,
                                const QPdfWriter& writer) {
    std::vector<Link> links;
    const double pageHeight = doc.pageSize().height();
    const double pagePoints = points(pageHeight, writer);
    for (QTextFrame* frame : doc.rootFrame()->childFrames()) {
        const auto* table = qobject_cast<QTextTable*>(frame);
        if (!table || table->columns() != 2) continue;
        for (int row = 0; row < table->rows(); ++row) {
            const QTextBlock block = table->cellAt(row, 0).firstCursorPosition().block();
            for (std::size_t h = 0; h < headings.size(); ++h) {
                if (headings[h].level != 1 || headings[h].title != block.text().simplified())
                    continue;
                const QRectF r = doc.documentLayout()->blockBoundingRect(block);
                const int page = static_cast<int>(r.top() / pageHeight);
                const double top = pagePoints - points(r.top() - page * pageHeight, writer);
                const double left = points(kMargin * writer.resolution() / 96, writer);
                links.push_back(
                    {page,
                     QRectF(QPointF(left, top - points(r.height(), writer)),
                            QPointF(points(doc.pageSize().width(), writer) - left, top)),
                     static_cast<int>(h)});
            }
        }
    }
    return links;
}

// Each page in turn, with its number at the foot, right.
void paintPages(QTextDocument& doc, QPdfWriter& writer) {
    QPainter painter(&writer);
    const QSizeF page = doc.pageSize();
    const double margin = kMargin * writer.resolution() / 96;
    for (int i = 0; i < doc.pageCount(); ++i) {
        if (i > 0) writer.newPage();
        const QRectF view(0, i * page.height(), page.width(), page.height());
        painter.save();
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        doc.documentLayout()->draw(&painter, context);
        painter.restore();
        painter.setFont(doc.defaultFont());
        painter.drawText(QRectF(0, page.height() - margin, page.width() - margin, margin / 2),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(i + 1));
    }
}

// The objects of a PDF file by number: where each starts, from its cross-reference table.
QMap<int, qsizetype> objectOffsets(const QByteArray& pdf) {
    QMap<int, qsizetype> offsets;
    const qsizetype start = pdf.lastIndexOf("startxref");
    const qsizetype table =
        pdf.mid(start + 9).trimmed().split('\n').value(0).trimmed().toLongLong();
    static const QRegularExpression section(QStringLiteral("^(\\d+) (\\d+)$"));
    QList<QByteArray> lines = pdf.mid(table).split('\n');
    for (int i = 1, first = 0, n = 0; i < lines.size(); ++i, ++n) {
        const QByteArray line = lines[i].trimmed();
        if (line == "trailer") break;
        if (const auto m = section.match(QString::fromLatin1(line)); m.hasMatch()) {
            first = m.captured(1).toInt();
            n = -1;
        } else if (line.endsWith(" n")) {
            offsets[first + n] = line.left(10).toLongLong();
        }
    }
    return offsets;
}

// The text of object `n` between "obj" and "endobj".
QByteArray objectText(const QByteArray& pdf, const QMap<int, qsizetype>& offsets, int n) {
    const qsizetype from = pdf.indexOf("obj", offsets.value(n)) + 3;
    return pdf.mid(from, pdf.indexOf("endobj", from) - from).trimmed();
}

// The first "/Key N 0 R" of a dictionary's text: N, or 0.
int reference(const QByteArray& text, const char* key) {
    const QRegularExpression pattern(QString::fromLatin1(key) + QStringLiteral("\\s+(\\d+) 0 R"));
    return pattern.match(QString::fromLatin1(text)).captured(1).toInt();
}

// A title as PDF text: UTF-16, big-endian, with its byte-order mark, in hexadecimal.
QByteArray pdfText(const QString& text) {
    QByteArray bytes("\xFE\xFF", 2);
    for (const QChar c : text) {
        bytes += static_cast<char>(c.unicode() >> 8);
        bytes += static_cast<char>(c.unicode() & 0xFF);
    }
    return '<' + bytes.toHex() + '>';
}

// New and replaced objects, appended to a PDF as an update of it.
class PdfUpdate {
  public:
    explicit PdfUpdate(QByteArray pdf) : pdf_(std::move(pdf)), offsets_(objectOffsets(pdf_)) {
        static const QRegularExpression size(QStringLiteral("/Size\\s+(\\d+)"));
        const QString trailer = QString::fromLatin1(pdf_.mid(pdf_.lastIndexOf("trailer")));
        next_ = size.match(trailer).captured(1).toInt();
        root_ = reference(trailer.toLatin1(), "/Root");
        info_ = reference(trailer.toLatin1(), "/Info");
        previous_ = pdf_.mid(pdf_.lastIndexOf("startxref") + 9)
                        .trimmed()
                        .split('\n')[0]
                        .trimmed()
                        .toLongLong();
    }
    QByteArray object(int n) const { return objectText(pdf_, offsets_, n); }
    int root() const { return root_; }
    int reserve() { return next_++; }
    void write(int n, const QByteArray& text) {
        if (!pdf_.endsWith('\n')) pdf_ += '\n';
        written_[n] = pdf_.size();
        pdf_ += QByteArray::number(n) + " 0 obj\n" + text + "\nendobj\n";
    }
    // The pages' object numbers, in order.
    QList<int> pages() const {
        const QByteArray kids = object(reference(object(root_), "/Pages"));
        QList<int> numbers;
        static const QRegularExpression ref(QStringLiteral("(\\d+) 0 R"));
        const QString list = QString::fromLatin1(kids.mid(kids.indexOf("/Kids")));
        for (auto it = ref.globalMatch(list.left(list.indexOf(']'))); it.hasNext();)
            numbers << it.next().captured(1).toInt();
        return numbers;
    }
    QByteArray finish() {
        const qsizetype table = pdf_.size();
        pdf_ += "xref\n";
        for (auto it = written_.cbegin(); it != written_.cend(); ++it)
            pdf_ += QByteArray::number(it.key()) + " 1\n" +
                    QByteArray::number(it.value()).rightJustified(10, '0') + " 00000 n \n";
        pdf_ += "trailer\n<<\n/Size " + QByteArray::number(next_) + "\n/Root " +
                QByteArray::number(root_) + " 0 R\n/Info " + QByteArray::number(info_) +
                " 0 R\n/Prev " + QByteArray::number(previous_) + "\n>>\nstartxref\n" +
                QByteArray::number(table) + "\n%%EOF\n";
        return pdf_;
    }

  private:
    QByteArray pdf_;
    QMap<int, qsizetype> offsets_;
    QMap<int, qsizetype> written_;
    int next_ = 0, root_ = 0, info_ = 0;
    qsizetype previous_ = 0;
};

// Where a heading leads: its page, the view's top at the heading, the zoom kept.
QByteArray destination(const QList<int>& pages, const Heading& h, double pageHeight) {
    return "[" + QByteArray::number(pages.value(h.page)) + " 0 R /XYZ 0 " +
           QByteArray::number(pageHeight - h.top, 'f', 2) + " null]";
}

// The outline: the chapters, each with its sections folded under it.
int writeOutline(PdfUpdate& pdf, const std::vector<Heading>& headings, double pageHeight) {
    const QList<int> pages = pdf.pages();
    const int root = pdf.reserve();
    std::vector<int> numbers;
    for (std::size_t i = 0; i < headings.size(); ++i) numbers.push_back(pdf.reserve());
    const auto siblings = [&](std::size_t i, int step) -> int {
        for (auto j = static_cast<std::ptrdiff_t>(i) + step;
             j >= 0 && j < static_cast<std::ptrdiff_t>(headings.size()); j += step) {
            if (headings[j].level < headings[i].level) return 0;
            if (headings[j].level == headings[i].level) return numbers[j];
        }
        return 0;
    };
    int parent = root, chapters = 0, firstChapter = 0, lastChapter = 0;
    for (std::size_t i = 0; i < headings.size(); ++i) {
        const Heading& h = headings[i];
        QByteArray item = "<<\n/Title " + pdfText(h.title) + "\n/Dest " +
                          destination(pages, h, pageHeight) + "\n";
        if (h.level == 1) {
            parent = numbers[i];
            ++chapters;
            if (!firstChapter) firstChapter = numbers[i];
            lastChapter = numbers[i];
            int sections = 0, last = 0;
            for (std::size_t j = i + 1; j < headings.size() && headings[j].level == 2; ++j)
                ++sections, last = numbers[j];
            if (sections)
                item += "/First " + QByteArray::number(numbers[i + 1]) + " 0 R\n/Last " +
                        QByteArray::number(last) + " 0 R\n/Count -" + QByteArray::number(sections) +
                        "\n";
        }
        item += "/Parent " + QByteArray::number(h.level == 1 ? root : parent) + " 0 R\n";
        if (const int prev = siblings(i, -1))
            item += "/Prev " + QByteArray::number(prev) + " 0 R\n";
        if (const int next = siblings(i, 1)) item += "/Next " + QByteArray::number(next) + " 0 R\n";
        pdf.write(numbers[i], item + ">>");
    }
    pdf.write(root, "<<\n/Type /Outlines\n/First " + QByteArray::number(firstChapter) +
                        " 0 R\n/Last " + QByteArray::number(lastChapter) + " 0 R\n/Count " +
                        QByteArray::number(chapters) + "\n>>");
    return root;
}

// The contents' links, added to the annotations of their pages.
void writeLinks(PdfUpdate& pdf, const std::vector<Link>& links,
                const std::vector<Heading>& headings, double pageHeight) {
    const QList<int> pages = pdf.pages();
    QMap<int, QByteArray> added;  // by page
    for (const Link& l : links) {
        const int n = pdf.reserve();
        pdf.write(n, "<<\n/Type /Annot\n/Subtype /Link\n/Rect [" +
                         QByteArray::number(l.rect.left(), 'f', 2) + ' ' +
                         QByteArray::number(l.rect.top(), 'f', 2) + ' ' +
                         QByteArray::number(l.rect.right(), 'f', 2) + ' ' +
                         QByteArray::number(l.rect.bottom(), 'f', 2) +
                         "]\n/Border [0 0 0]\n/Dest " +
                         destination(pages, headings[l.heading], pageHeight) + "\n>>");
        added[l.page] += ' ' + QByteArray::number(n) + " 0 R";
    }
    for (auto it = added.cbegin(); it != added.cend(); ++it) {
        const int annots = reference(pdf.object(pages.value(it.key())), "/Annots");
        if (!annots) continue;  // a page without its list: the writer no longer makes one
        QByteArray list = pdf.object(annots);
        list.insert(list.lastIndexOf(']'), it.value() + ' ');
        pdf.write(annots, list);
    }
}

// The PDF with its outline, opened beside the pages, and the contents' links.
QByteArray withNavigation(const QByteArray& pdf, const std::vector<Heading>& headings,
                          const std::vector<Link>& links, double pageHeight) {
    PdfUpdate update(pdf);
    const int outline = writeOutline(update, headings, pageHeight);
    writeLinks(update, links, headings, pageHeight);
    QByteArray catalog = update.object(update.root());
    catalog.insert(catalog.lastIndexOf(">>"),
                   "/Outlines " + QByteArray::number(outline) + " 0 R\n/PageMode /UseOutlines\n");
    update.write(update.root(), catalog);
    return update.finish();
}

int fail(const char* what, const char* file) {
    std::fprintf(stderr, "make_manual: %s %s\n", what, file);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_manual SOURCE.html OUTPUT.pdf VERSION\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) return fail("cannot read", argv[1]);
    // The version is the build's, written in the source as @VERSION@.
    const QString html = QString::fromUtf8(source.readAll())
                             .replace(QStringLiteral("@VERSION@"), QString::fromLocal8Bit(argv[3]));

    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setTitle(QStringLiteral("Using ZANO"));
    writer.setCreator(QStringLiteral("ZANO"));
    writer.setResolution(300);
    // No margins of the writer's own: the document's pages carry them, and a page number.
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    QTextDocument doc;
    QFont body(QStringLiteral("DejaVu Sans"));
    body.setStyleHint(QFont::SansSerif);
    body.setPointSizeF(10);
    doc.setDefaultFont(body);
    // The contents' page numbers, until laying them out moves no chapter to another page.
    std::vector<Heading> headings;
    for (int pass = 0;; ++pass) {
        layOut(doc, html, headings, writer);
        std::vector<Heading> found = headingsOf(doc, writer);
        if (found == headings) break;
        if (pass == 4) return fail("the contents' pages do not settle in", argv[1]);
        headings = std::move(found);
    }
    const std::vector<Link> links = contentsLinks(doc, headings, writer);
    paintPages(doc, writer);
    const double pageHeight = writer.pageLayout().fullRectPoints().height();

    // Written beside the target and renamed over it at the end, so that a failed run never
    // leaves a broken manual behind.
    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(withNavigation(pdf.data(), headings, links, pageHeight)) < 0 || !out.commit())
        return fail("cannot write", argv[2]);
    return 0;
}
