// Lays out one HTML help page on A4 pages of a PDF document:
//     make_pdf <page.html> <document.pdf>
// The page's <title> becomes the document's title.

#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

namespace {

constexpr int kFontSize = 10;

void writePdf(const QString& html, const QString& outputPath) {
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), kFontSize));
    document.setHtml(html);

    QPdfWriter writer(outputPath);
    writer.setPageSize(QPageSize(QPageSize::A4));
    // The document keeps its own 2 cm margin around the text and numbers the pages.
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
    writer.setCreator(QStringLiteral("Dorvane Lite"));
    document.print(&writer);
}

}  // namespace

int main(int argc, char* argv[]) {
    // A build machine has no screen; the layout needs fonts, not a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_pdf <page.html> <document.pdf>\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make_pdf: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString outputPath = QString::fromLocal8Bit(argv[2]);
    QFile::remove(outputPath);
    writePdf(QString::fromUtf8(source.readAll()), outputPath);
    if (QFileInfo(outputPath).size() == 0) {
        std::fprintf(stderr, "make_pdf: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
