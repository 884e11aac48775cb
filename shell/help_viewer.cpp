#include "shell/help_viewer.h"

#include <QDir>
#include <QPdfDocument>
#include <QPdfView>
#include <QStringList>
#include <QVBoxLayout>

#include "base/version.h"
#include "properties/fluid_table.h"
#include "shell/screen_fit.h"

namespace {
// The client area, 10260 x 9885 twips at 15 twips to the logical pixel.
constexpr int kClientWidth = 10260 / 15, kClientHeight = 9885 / 15;
}  // namespace

HelpViewer::HelpViewer(QWidget* parent) : HelpViewer(manualPath(), parent) {}

HelpViewer::HelpViewer(const QString& path, QWidget* parent)
    : QWidget(parent, Qt::Window), document_(new QPdfDocument(this)), view_(new QPdfView(this)) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Using ZANO"));
    // Closing from the frame discards the viewer; the next "Using ZANO" loads the file anew.
    setAttribute(Qt::WA_DeleteOnClose);

    view_->setObjectName(QStringLiteral("WebBrowser1"));
    view_->setPageMode(QPdfView::PageMode::MultiPage);
    view_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    zano::fitResizableToScreen(this, QSize(kClientWidth, kClientHeight));

    // A missing file leaves the document empty and the view blank; there is no message.
    document_->load(path);
    view_->setDocument(document_);
}

QString HelpViewer::manualPath() {
    const QString dir = QString::fromStdU16String(zano::QuestaDirectory().u16string());
    return QDir(dir).filePath(QStringLiteral("Using ZANO.pdf"));
}

QString aboutText() {
    return QStringList{QString::fromUtf8(zano::programVersion()),
                       QStringLiteral("Calculation of concentric tube heat exchangers"),
                       QStringLiteral("Copyright (C) 2026 The ZANO developers")}
        .join(QStringLiteral("\r\n"));
}
