#include "browser/browser_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWebEngineFindTextResult>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "browser/embedded_browser.h"

namespace folverin {

namespace {

class TFindDialog : public QDialog {
 public:
  explicit TFindDialog(TEmbeddedBrowser* browser) : QDialog(browser), browser_(browser) {
    setWindowTitle(QStringLiteral("Suchen"));
    setAttribute(Qt::WA_DeleteOnClose);
    text_ = new QLineEdit(this);
    matchCase_ = new QCheckBox(QStringLiteral("&Groß-/Kleinschreibung beachten"), this);
    backward_ = new QCheckBox(QStringLiteral("&Aufwärts suchen"), this);
    auto* next = new QPushButton(QStringLiteral("&Weitersuchen"), this);
    next->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Suchen &nach:"), this));
    row->addWidget(text_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(matchCase_);
    buttons->addWidget(backward_);
    buttons->addStretch();
    buttons->addWidget(next);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    connect(next, &QPushButton::clicked, this, &TFindDialog::FindNext);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
    connect(this, &QDialog::finished, this, [this] { browser_->Page()->findText(QString()); });
  }

 private:
  void FindNext() {
    QWebEnginePage::FindFlags flags;
    if (matchCase_->isChecked()) flags |= QWebEnginePage::FindCaseSensitively;
    if (backward_->isChecked()) flags |= QWebEnginePage::FindBackward;
    QPointer<TFindDialog> self(this);
    browser_->Page()->findText(text_->text(), flags, [self](const QWebEngineFindTextResult& result) {
      if (self && result.numberOfMatches() == 0 && !self->text_->text().isEmpty()) {
        QMessageBox::information(self, QApplication::applicationDisplayName(),
                                 QStringLiteral("Der Suchbegriff wurde nicht gefunden."));
      }
    });
  }

  TEmbeddedBrowser* browser_;
  QLineEdit* text_;
  QCheckBox* matchCase_;
  QCheckBox* backward_;
};

// Waits for an asynchronous print into `printer` to end.
bool PrintAndWait(TEmbeddedBrowser* browser, QPrinter* printer) {
  QEventLoop loop;
  bool ok = false;
  QObject::connect(browser->View(), &QWebEngineView::printFinished, &loop, [&](bool success) {
    ok = success;
    loop.quit();
  });
  browser->View()->print(printer);
  loop.exec();
  return ok;
}

void ReportPrintError(QWidget* parent) {
  QApplication::beep();
  QMessageBox::critical(parent, QStringLiteral("Fehler"),
                        QStringLiteral("Fehler beim Drucken. Der Druckauftrag ist fehlgeschlagen."));
}

}  // namespace

QPageLayout& PrintOptions() {
  static QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                            QMarginsF(19.99996, 11.999976, 11.999976, 11.999976),
                            QPageLayout::Millimeter);
  return layout;
}

void ShowFindDialog(TEmbeddedBrowser* browser) {
  auto* dialog = new TFindDialog(browser);
  dialog->show();
}

void PrintDocument(TEmbeddedBrowser* browser) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(PrintOptions());
  QPrintDialog dialog(&printer, browser);
  if (dialog.exec() != QDialog::Accepted) return;
  QPointer<TEmbeddedBrowser> guard(browser);
  if (!PrintAndWait(browser, &printer) && guard) ReportPrintError(browser);
}

void ShowPrintPreview(TEmbeddedBrowser* browser) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(PrintOptions());
  QPrintPreviewDialog dialog(&printer, browser);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, browser,
                   [browser](QPrinter* target) { PrintAndWait(browser, target); });
  dialog.exec();
}

void ShowPageSetup(TEmbeddedBrowser* browser) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(PrintOptions());
  QPageSetupDialog dialog(&printer, browser);
  if (dialog.exec() == QDialog::Accepted) PrintOptions() = printer.pageLayout();
}

void ShowInternetOptions(TEmbeddedBrowser* browser) {
  struct TOption {
    QWebEngineSettings::WebAttribute Attribute;
    const char* Caption;
  };
  static const TOption kOptions[] = {
      {QWebEngineSettings::JavascriptEnabled, "Active Scripting (JavaScript) aktivieren"},
      {QWebEngineSettings::JavascriptCanOpenWindows, "Skripte dürfen Fenster öffnen"},
      {QWebEngineSettings::AutoLoadImages, "Bilder anzeigen"},
      {QWebEngineSettings::PluginsEnabled, "Plug-ins aktivieren"},
      {QWebEngineSettings::ShowScrollBars, "Bildlaufleisten anzeigen"},
      {QWebEngineSettings::ScrollAnimatorEnabled, "Weichen Bildlauf verwenden"},
      {QWebEngineSettings::LocalContentCanAccessRemoteUrls,
       "Lokale Seiten dürfen Inhalte aus dem Internet laden"},
  };
  QWebEngineSettings* settings = browser->Page()->profile()->settings();
  QDialog dialog(browser);
  dialog.setWindowTitle(QStringLiteral("Internetoptionen"));
  auto* layout = new QVBoxLayout(&dialog);
  std::vector<QCheckBox*> boxes;
  for (const TOption& option : kOptions) {
    auto* box = new QCheckBox(QString::fromUtf8(option.Caption), &dialog);
    box->setChecked(settings->testAttribute(option.Attribute));
    layout->addWidget(box);
    boxes.push_back(box);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  if (dialog.exec() != QDialog::Accepted) return;
  for (size_t i = 0; i < boxes.size(); ++i)
    settings->setAttribute(kOptions[i].Attribute, boxes[i]->isChecked());
}

}  // namespace folverin
