// The least a program can do to show the same file: a bare web view. Prints
// "loaded" when the page has loaded, and ends at once.
#include <QApplication>
#include <QUrl>
#include <QWebEngineView>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  QApplication app(argc, argv);
  QWebEngineView view;
  QObject::connect(&view, &QWebEngineView::loadFinished, [](bool) {
    std::puts("loaded");
    std::fflush(stdout);
    std::_Exit(0);
  });
  view.resize(1000, 700);
  view.show();
  view.load(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[1])));
  return app.exec();
}
