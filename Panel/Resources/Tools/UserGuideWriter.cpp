// Makes the user guide's PDF from its HTML source: `UserGuideWriter <source.html>
// <target.pdf>`, A4 with 18 mm margins, laid out by Qt's rich-text engine. Exit status 1
// when the source cannot be read or the PDF not written. Runs at build time on Qt's
// offscreen platform.
#include <QFile>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: UserGuideWriter <source.html> <target.pdf>\n");
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication application(argc, argv);
  QFile source(QString::fromLocal8Bit(argv[1]));
  if (!source.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  QTextDocument document;
  document.setHtml(QString::fromUtf8(source.readAll()));
  QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
  writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
  writer.setCreator(QStringLiteral("Corvex Editor"));
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                                   QPageLayout::Millimeter));
  document.print(&writer);
  return QFile::exists(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
