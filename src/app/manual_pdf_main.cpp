// Renders a user manual written in Markdown into the PDF that Help -> Contents opens. Images are
// looked up beside the Markdown file; a missing screenshot leaves its caption and nothing else.
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>
#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: quorvel-manual-pdf MANUAL.md OUT.pdf TITLE\n");
        return 2;
    }
    QFile source(args[1]);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(args[1]));
        return 1;
    }
    QTextDocument document;
    document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(args[1]).absolutePath() + QLatin1Char('/')));
    document.setDefaultStyleSheet(QStringLiteral("h1 { color: #8a1c1c; } h2 { color: #8a1c1c; margin-top: 14px; }"
                                                 "table { border-collapse: collapse; } td, th { padding: 3px; }"));
    document.setMarkdown(QString::fromUtf8(source.readAll()));

    QPdfWriter pdf(args[2]);
    pdf.setTitle(args[3]);
    pdf.setCreator(QStringLiteral("quorvel-manual-pdf"));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                                  QPageLayout::Millimeter));
    // At the screen's resolution every font of the document, code included, keeps its size.
    pdf.setResolution(96);

    // The widest screenshots show the whole window and are drawn at the width of the text; every
    // other picture (a menu, a dialog) at the same scale, so that it is not blown up.
    const qreal textWidth = pdf.pageLayout().paintRectPixels(pdf.resolution()).width() - 2 * document.documentMargin();
    static const QRegularExpression kImage(QStringLiteral("<img src=\"([^\"]+)\""));
    QString html = document.toHtml();
    const QString folder = QFileInfo(args[1]).absolutePath() + QLatin1Char('/');
    const auto naturalWidth = [&folder](const QString& file) { return QImage(folder + file).width(); };
    int widest = 1;
    for (auto match = kImage.globalMatch(html); match.hasNext();)
        widest = std::max(widest, naturalWidth(match.next().captured(1)));
    QString sized;
    qsizetype copied = 0;
    for (auto match = kImage.globalMatch(html); match.hasNext();) {
        const QRegularExpressionMatch image = match.next();
        const int width = naturalWidth(image.captured(1));
        const int drawn = static_cast<int>(textWidth * (width > 0 ? width : widest) / widest);
        sized += html.mid(copied, image.capturedStart() - copied);
        sized += QStringLiteral("<img src=\"%1\" width=\"%2\"").arg(image.captured(1)).arg(drawn);
        copied = image.capturedEnd();
    }
    sized += html.mid(copied);
    document.setHtml(sized);
    QFont font = document.defaultFont();
    font.setPointSizeF(10.0);
    document.setDefaultFont(font);
    // Drawn page by page on the writer with the document's own layout and images.
    const QSizeF page = pdf.pageLayout().paintRectPixels(pdf.resolution()).size();
    document.setPageSize(page);
    QPainter painter(&pdf);
    for (int index = 0; index < document.pageCount(); ++index) {
        if (index > 0)
            pdf.newPage();
        painter.save();
        painter.translate(0, -index * page.height());
        document.drawContents(&painter, QRectF(0, index * page.height(), page.width(), page.height()));
        painter.restore();
    }
    return 0;
}
