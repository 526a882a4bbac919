// TFrameForm's record list handlers: Enter, typing and choosing in the three boxes,
// delete, move, paste, the clipboard watch and the UPC conversion.
#include <QLineEdit>
#include <algorithm>
#include <utility>

#include "BarImage/TBarImage.h"
#include "Common/UiText.h"
#include "Common/ShiftJis.h"
#include "Frame/TFrameForm.h"
#include "Records/OneLineField.h"

namespace plomix {
namespace {

// The box's text as a record field (one line).
std::string BoxText(const QComboBox *box) { return OneLineField(UnicodeToSjis(box->currentText())); }

}  // namespace

void TFrameForm::ComboBox1KeyDown() {
  const std::string code = BoxText(ComboBox1);
  if (code.empty()) return;
  const int found = FindCode(code);
  if (found < 0) {
    const int index = FRecords->IsEmpty() ? 0 : InsertPosition();
    FRecords->Insert(index, {code, BoxText(ComboBox7), BoxText(ComboBox8)});
    SelectRecord(index);
  } else {
    SelectRecord(found);
  }
  PushRecord();
  ShownIndex = CurrentIndex();
  StatusRefresh();
}

void TFrameForm::ComboBox1Edited() {
  if (ComboBox1->currentIndex() == -1) return;
  // The text no longer is the chosen item: drop the selection but keep what was typed.
  QLineEdit *edit = ComboBox1->lineEdit();
  const QString text = edit->text();
  const int cursor = edit->cursorPosition();
  ComboBox1->setCurrentIndex(-1);
  edit->setText(text);
  edit->setCursorPosition(cursor);
  ComboBox7->setCurrentIndex(-1);
  ComboBox8->setCurrentIndex(-1);
}

void TFrameForm::ComboBox1Change(int index) {
  if (index == -1 || index == ShownIndex) return;
  SelectRecord(index);
  PushRecord();
  ShownIndex = CurrentIndex();
  StatusRefresh();
}

void TFrameForm::ComboBox7Change(int index) { ComboBox1Change(index); }
void TFrameForm::ComboBox8Change(int index) { ComboBox1Change(index); }

void TFrameForm::ComboBox7KeyDown() {
  const int current = CurrentIndex();
  if (current == -1) {
    ComboBox1KeyDown();
    return;
  }
  const std::string up = BoxText(ComboBox7);
  const std::string down = BoxText(ComboBox8);
  FRecords->SetComments(current, up, down);
  SelectRecord(current);
  SetSymbolComments(up, down);
  ShownIndex = CurrentIndex();
  StatusRefresh();
}

void TFrameForm::ComboBox8KeyDown() { ComboBox7KeyDown(); }

void TFrameForm::Button5Click() {
  const int current = CurrentIndex();
  if (current == -1) return;
  FRecords->Delete(current);
  if (!FRecords->IsEmpty()) {
    SelectRecord(std::min(current, FRecords->Count() - 1));
    PushRecord();
  } else {
    SelectRecord(-1);
    for (QComboBox *box : {ComboBox1, ComboBox7, ComboBox8}) box->setEditText({});
    BarImage1->SetBarEnabled(false);
    BarImage1->SetCommentUp({});
    BarImage1->SetCommentDown({});
    BarImage1->SetCode({});
    BarImage1->SetBarEnabled(true);
  }
  StatusRefresh();
  ShownIndex = CurrentIndex();
}

void TFrameForm::UpDown11Click(TUDBtnType button) {
  const int current = CurrentIndex();
  if (current == -1) return;
  int target = -1;
  if (button == btNext && current > 0) target = current - 1;
  if (button == btPrev && current < FRecords->Count() - 1) target = current + 1;
  if (target == -1) return;
  FRecords->Exchange(current, target);
  BarImage1->SetBarEnabled(false);
  ComboBox1->setCurrentIndex(target);
  ComboBox1Change(target);
  BarImage1->SetBarEnabled(true);
  Label1->setText(Text("バーコード文字列 (%1 of %2)").arg(CurrentIndex() + 1).arg(FRecords->Count()));
}

std::string TFrameForm::OneLineSymbolCode() {
  const std::string code = OneLineField(BarImage1->Code());
  if (code != BarImage1->Code()) {
    // The program's own change, not a clipboard one: the handler stays out of it.
    auto handler = std::exchange(BarImage1->OnChangedCode, nullptr);
    BarImage1->SetCode(code);
    BarImage1->OnChangedCode = std::move(handler);
  }
  return code;
}

void TFrameForm::TakeSymbolCode(const std::string &code) {
  const int found = FindCode(code);
  if (found < 0) {
    AddCodeAfterShown(code);
  } else {
    SelectRecord(found);
    SetSymbolComments(FRecords->Field(found, rfCommentUp), FRecords->Field(found, rfCommentDown));
  }
}

void TFrameForm::Button12Click() {
  BarImage1->SetBarEnabled(false);
  BarImage1->SetCommentUp({});
  BarImage1->SetCommentDown({});
  BarImage1->SetCode({});
  BarImage1->PasteCode();
  BarImage1->SetBarEnabled(true);
  const std::string code = OneLineSymbolCode();
  if (!code.empty()) {
    TakeSymbolCode(code);
  } else {
    PushRecord();
  }
  ShownIndex = CurrentIndex();
  StatusRefresh();
}

void TFrameForm::BarImage1ChangedCode(TBarImage *, bool watch) {
  if (!watch) return;
  SetSymbolComments({}, {});
  TakeSymbolCode(OneLineSymbolCode());
  ShownIndex = CurrentIndex();
  StatusRefresh();
}

void TFrameForm::Button7Click() {
  if (BarImage1->BarType() != cbarUPC) return;
  const std::size_t length = BarImage1->Code().size();
  if (length == 11) BarImage1->ConvertUPCAToE();
  else if (length == 7) BarImage1->ConvertUPCEToA();
  if (!BarImage1->BarDisped()) {
    SetStatus(Text("変換出来ません。"), QColor(255, 0, 0));
    return;
  }
  SetStatus(Text("変換しました。"), QColor(0, 0, 255));
  const std::string code = BarImage1->Code();
  ComboBox1->setEditText(SjisToUnicode(code));
  const int found = FindCode(code);
  if (found < 0) AddCodeAfterShown(code);
  else SelectRecord(found);
  ShownIndex = CurrentIndex();
}

}  // namespace plomix
