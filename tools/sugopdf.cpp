// Build-time tool: turns the help pages into the printable documentation.
//
//   nyugvar_sugopdf <help page.htm> <output.pdf>
//
// The page is laid out by Qt's rich-text engine on A4 and written as PDF,
// with page numbers at the foot. Run it with QT_QPA_PLATFORM=offscreen.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextDocument>

#include <cstdio>

namespace {

int hiba(const QString &uzenet)
{
    std::fprintf(stderr, "nyugvar_sugopdf: %s\n", qPrintable(uzenet));
    return 1;
}

}  // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList arg = app.arguments();
    if (arg.size() != 3)
        return hiba(QStringLiteral("usage: nyugvar_sugopdf <page.htm> <output.pdf>"));

    QFile be(arg[1]);
    if (!be.open(QIODevice::ReadOnly))
        return hiba(arg[1] + QStringLiteral(": ") + be.errorString());
    const QString html = QString::fromUtf8(be.readAll());

    const QFileInfo ki(arg[2]);
    if (!QDir().mkpath(ki.absolutePath()))
        return hiba(ki.absolutePath() + QStringLiteral(": cannot create the folder"));
    // Written beside the target and renamed at the end: a failed run leaves
    // no half-written document behind.
    const QString ideiglenes = ki.absoluteFilePath() + QStringLiteral(".tmp");
    {
        QPdfWriter pdf(ideiglenes);
        pdf.setTitle(QStringLiteral("Nyugvár – felhasználói útmutató"));
        pdf.setCreator(QStringLiteral("Nyugvár"));
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 16, 18, 16),
                                      QPageLayout::Millimeter));
        pdf.setResolution(300);

        QTextDocument doc;
        QFont alap(QStringLiteral("Liberation Sans"));
        alap.setStyleHint(QFont::SansSerif);
        alap.setPointSizeF(10.5);
        doc.setDefaultFont(alap);
        doc.setHtml(html);
        doc.print(&pdf);
    }
    QFile::remove(ki.absoluteFilePath());
    if (!QFile::rename(ideiglenes, ki.absoluteFilePath()))
        return hiba(ki.absoluteFilePath() + QStringLiteral(": cannot be written"));
    return 0;
}
