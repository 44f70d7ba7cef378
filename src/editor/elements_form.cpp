#include "editor/elements_form.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPalette>
#include <QPlainTextEdit>
#include <QSplitter>

#include "common/javascript_string.h"
#include "qtcommon/error_box.h"
#include "qtcommon/qt_text.h"

namespace folverin {
namespace {

std::string Utf8Of(const QVariant& value) { return value.toString().toStdString(); }

}  // namespace

TElementsForm::TElementsForm(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("ElementsForm"));
  setWindowTitle(QStringLiteral("ElementsForm"));
  resize(870, 640);
  move(192, 114);

  Splitter1 = new QSplitter(Qt::Horizontal, this);
  lbElem = new QListWidget(Splitter1);
  lbElem->setObjectName(QStringLiteral("lbElem"));
  Memo1 = new QPlainTextEdit(Splitter1);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(13);
  Memo1->setFont(font);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // The selection stays visible when the list has the focus.
  QPalette palette = Memo1->palette();
  palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   palette.color(QPalette::Active, QPalette::HighlightedText));
  Memo1->setPalette(palette);
  Splitter1->setStretchFactor(0, 0);
  Splitter1->setStretchFactor(1, 1);
  Splitter1->setSizes({225, 870 - 225});

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Splitter1);

  // A row the user selects, not the current row the list takes on its own
  // when it gets the focus: the details stay empty until then.
  connect(lbElem, &QListWidget::itemSelectionChanged, this, [this] { RunGuarded(this, [this] { lbElemClick(); }); });
}

QString TElementsForm::SnapshotScript(const QString& frameDocumentURL) {
  const QString address = FromUtf16(JavaScriptString(ToUtf16(frameDocumentURL)));
  return QStringLiteral(
             "(function(address){"
             "function find(w){"
             "var d=null;try{d=w.document;}catch(e){return null;}"
             "if(d&&d.URL===address)return d;"
             "for(var i=0;i<w.frames.length;i++){var f=find(w.frames[i]);if(f)return f;}"
             "return null;}"
             "var doc=(address&&find(window))||document;"
             "function s(v){return v===undefined||v===null?'':String(v);}"
             "var all=doc.all,out=[];"
             "for(var i=0;i<all.length;i++){var e=all[i];if(!e||e.nodeType!==1)continue;"
             "out.push({tagName:s(e.tagName),outerHTML:s(e.outerHTML),innerHTML:s(e.innerHTML),"
             "outerText:s(e.outerText),innerText:s(e.innerText),id:s(e.id),"
             "title:typeof e.title==='string'?e.title:'',sourceIndex:i});}"
             "return out;})(%1)")
      .arg(address);
}

std::vector<TElementRecord> TElementsForm::SnapshotRecords(const QVariant& answer) {
  std::vector<TElementRecord> records;
  if (answer.typeId() != QMetaType::QVariantList) return records;
  const QVariantList list = answer.toList();
  records.reserve(static_cast<size_t>(list.size()));
  for (const QVariant& item : list) {
    const QVariantMap map = item.toMap();
    TElementRecord record;
    record.TagName = Utf8Of(map.value(QStringLiteral("tagName")));
    record.OuterHTML = Utf8Of(map.value(QStringLiteral("outerHTML")));
    record.InnerHTML = Utf8Of(map.value(QStringLiteral("innerHTML")));
    record.OuterText = Utf8Of(map.value(QStringLiteral("outerText")));
    record.InnerText = Utf8Of(map.value(QStringLiteral("innerText")));
    record.Id = Utf8Of(map.value(QStringLiteral("id")));
    record.Title = Utf8Of(map.value(QStringLiteral("title")));
    record.SourceIndex = map.value(QStringLiteral("sourceIndex")).toLongLong();
    records.push_back(std::move(record));
  }
  return records;
}

void TElementsForm::Inspect(const TScriptEvaluator& evaluate, const QString& frameDocumentURL) {
  ShowElements(evaluate ? SnapshotRecords(evaluate(SnapshotScript(frameDocumentURL)))
                        : std::vector<TElementRecord>());
  show();
  raise();
}

void TElementsForm::ShowElements(std::vector<TElementRecord> elements) {
  // The rows go while the old records are still there.
  lbElem->clear();
  Memo1->clear();
  elements_ = std::move(elements);
  for (const std::string& row : ElementRows(elements_)) lbElem->addItem(QString::fromStdString(row));
}

void TElementsForm::lbElemClick() {
  Memo1->clear();
  const int row = lbElem->currentRow();
  if (row < 0 || static_cast<size_t>(row) >= elements_.size()) return;
  QStringList lines;
  for (const std::string& line : ElementDetailLines(elements_[static_cast<size_t>(row)]))
    lines << QString::fromStdString(line);
  Memo1->setPlainText(lines.join(QLatin1Char('\n')));
}

}  // namespace folverin
