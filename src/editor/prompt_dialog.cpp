#include "editor/prompt_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "qtcommon/qt_text.h"

namespace folverin {

namespace {

// A captioned group of radio buttons side by side, the given one checked.
QGroupBox* RadioGroup(QWidget* parent, const QString& caption, const QStringList& items, int checked,
                      QButtonGroup*& buttons) {
  auto* group = new QGroupBox(caption, parent);
  auto* row = new QHBoxLayout(group);
  // Close together, so that with both groups side by side the dialog stays
  // near its designed width of 353 pixels.
  row->setContentsMargins(4, 2, 4, 2);
  row->setSpacing(2);
  buttons = new QButtonGroup(group);
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], group);
    button->setChecked(i == checked);
    buttons->addButton(button, i);
    row->addWidget(button);
  }
  return group;
}

}  // namespace

TPromptDlg::TPromptDlg(QWidget* parent) : QDialog(parent) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(11);
  setFont(font);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(4);
  Label1 = new QLabel(this);
  Edit1 = new QLineEdit(this);
  layout->addWidget(Label1);
  layout->addWidget(Edit1);
  auto* groups = new QHBoxLayout;
  groups->setSpacing(4);
  RadioGroup1 = RadioGroup(this, QStringLiteral("Zeilenabschlu\u00DF:"),
                           {QStringLiteral("Ohne"), QStringLiteral("<BR>"), QStringLiteral("<P>")}, 0, LineEndings);
  RadioGroup2 = RadioGroup(this, QStringLiteral("Layout:"),
                           {QStringLiteral("TOP"), QStringLiteral("LEFT"), QStringLiteral("MIDDLE"),
                            QStringLiteral("BOTTOM")},
                           2, Layouts);
  groups->addWidget(RadioGroup1);
  groups->addWidget(RadioGroup2);
  layout->addLayout(groups);
  auto* buttons = new QHBoxLayout;
  OkBtn = new QPushButton(QStringLiteral("Ok"), this);
  OkBtn->setDefault(true);
  buttons->addStretch(1);
  buttons->addWidget(OkBtn);
  layout->addLayout(buttons);
  resize(353, 159);
  connect(OkBtn, &QPushButton::clicked, this, [this] { OkBtnClick(); });
}

QString TPromptDlg::AskLinkText(const QString& title, const QString& prompt, const QString& initial) {
  return Ask(title, prompt, initial, false);
}

QString TPromptDlg::AskPictureText(const QString& title, const QString& prompt, const QString& initial) {
  return Ask(title, prompt, initial, true);
}

QString TPromptDlg::Ask(const QString& title, const QString& prompt, const QString& initial, bool picture) {
  setWindowTitle(title);
  Label1->setText(prompt);
  Edit1->setText(initial);
  RadioGroup2->setVisible(picture);
  exec();
  return Edit1->text();
}

void TPromptDlg::OkBtnClick() {
  Alignment = ToAnsi(Layouts->checkedButton()->text());
  const int ending = LineEndings->checkedId();
  LineEnding = ending == 0 ? AnsiString() : ToAnsi(LineEndings->checkedButton()->text());
  accept();
}

void TPromptDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Centred on the screen, not on the window that asks.
  if (const QScreen* screen = this->screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  Edit1->setFocus();
}

}  // namespace folverin
