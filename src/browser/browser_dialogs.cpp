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
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "common/scope_guard.h"
#include "qtcommon/application_title.h"

namespace folverin {

namespace {

class TFindDialog : public QDialog {
 public:
  explicit TFindDialog(QWebEngineView* view) : QDialog(view), view_(view) {
    setWindowTitle(QStringLiteral("Suchen"));
    setAttribute(Qt::WA_DeleteOnClose);
    text_ = new QLineEdit(this);
    matchCase_ = new QCheckBox(QStringLiteral("&Groß-/Kleinschreibung beachten"), this);
    backward_ = new QCheckBox(QStringLiteral("&Aufwärts suchen"), this);
    auto* next = new QPushButton(QStringLiteral("&Weitersuchen"), this);
    next->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Suchen &nach:"), this);
    label->setBuddy(text_);  // Alt+N goes to the text; the "&" is no letter
    row->addWidget(label);
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
    connect(this, &QDialog::finished, this, [this] { view_->page()->findText(QString()); });
  }

 private:
  void FindNext() {
    QWebEnginePage::FindFlags flags;
    if (matchCase_->isChecked()) flags |= QWebEnginePage::FindCaseSensitively;
    if (backward_->isChecked()) flags |= QWebEnginePage::FindBackward;
    QPointer<TFindDialog> self(this);
    view_->page()->findText(text_->text(), flags, [self](const QWebEngineFindTextResult& result) {
      if (self && result.numberOfMatches() == 0 && !self->text_->text().isEmpty()) {
        QMessageBox::information(self, ApplicationTitle(),
                                 QStringLiteral("Der Suchbegriff wurde nicht gefunden."));
      }
    });
  }

  QWebEngineView* view_;
  QLineEdit* text_;
  QCheckBox* matchCase_;
  QCheckBox* backward_;
};

// Waits for an asynchronous print into `printer` to end.
bool PrintAndWait(QWebEngineView* view, QPrinter* printer) {
  QEventLoop loop;
  bool ok = false;
  QObject::connect(view, &QWebEngineView::printFinished, &loop, [&](bool success) {
    ok = success;
    loop.quit();
  });
  view->print(printer);
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

void ShowFindDialog(QWebEngineView* view) {
  auto* dialog = new TFindDialog(view);
  dialog->show();
}

void PrintDocument(QWebEngineView* view) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(PrintOptions());
  QPrintDialog dialog(&printer, view);
  if (dialog.exec() != QDialog::Accepted) return;
  QPointer<QWebEngineView> guard(view);
  if (!PrintAndWait(view, &printer) && guard) ReportPrintError(view);
}

void ShowPrintPreview(QWebEngineView* view) {
  // The engine hands every page over as a picture at the printer's
  // resolution; at the full resolution of a printer the preview took
  // seconds to come up. This one is still sharp on paper.
  constexpr int kPreviewResolution = 300;
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(PrintOptions());
  printer.setResolution(kPreviewResolution);
  QPrintPreviewDialog dialog(&printer, view);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, view, [view](QPrinter* target) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const TScopeGuard restore([] { QApplication::restoreOverrideCursor(); });
    PrintAndWait(view, target);
  });
  dialog.exec();
}

void ShowPageSetup(QWebEngineView* view) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(PrintOptions());
  QPageSetupDialog dialog(&printer, view);
  if (dialog.exec() == QDialog::Accepted) PrintOptions() = printer.pageLayout();
}

void ShowInternetOptions(QWebEngineView* view) {
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
  QWebEngineSettings* settings = view->page()->profile()->settings();
  QDialog dialog(view);
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
