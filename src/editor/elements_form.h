// TElementsForm: the element inspector, one for the whole program. When an
// editor window calls it up it takes a snapshot of the elements of that
// editor's browser document (its frame document when it has one) and lists
// them by tag name; a row shows the element's markup, texts and
// properties. The browser document is only read, never changed.
#pragma once

#include <QString>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <vector>

#include "editor/element_rows.h"

class QListWidget;
class QPlainTextEdit;
class QSplitter;

namespace folverin {

class TElementsForm : public QWidget {
  Q_OBJECT
 public:
  explicit TElementsForm(QWidget* parent = nullptr);

  // Runs a script in the browser window's top-level document and gives its
  // result; an invalid result when the document does not answer.
  using TScriptEvaluator = std::function<QVariant(const QString& script)>;

  // The call-up: the snapshot of the document (the frame document with that
  // address when there is one, else the top-level document) fills the
  // list, and the window shows, non-modal.
  void Inspect(const TScriptEvaluator& evaluate, const QString& frameDocumentURL);

  // The script that returns every element of the document, in document
  // order, with the properties the inspector shows.
  static QString SnapshotScript(const QString& frameDocumentURL);
  // The records of the script's answer; nothing for an answer of another
  // shape.
  static std::vector<TElementRecord> SnapshotRecords(const QVariant& answer);

  // Empties list and details, then lists these elements.
  void ShowElements(std::vector<TElementRecord> elements);
  const std::vector<TElementRecord>& AllElements() const { return elements_; }
  // The details of the selected row.
  void lbElemClick();

  QListWidget* lbElem = nullptr;
  QSplitter* Splitter1 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;

 private:
  std::vector<TElementRecord> elements_;
};

}  // namespace folverin
