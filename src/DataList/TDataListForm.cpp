#include "DataList/TDataListForm.h"

#include <QFontDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <algorithm>

#include "Common/UiText.h"
#include "Common/ShiftJis.h"
#include "DataList/DataListDefaults.h"
#include "Common/FontSizes.h"
#include "Records/RecordList.h"
#include "Param/TParameter.h"
#include "Sort/TSortForm.h"
#include "Widgets/FramePosition.h"
#include "Widgets/StepPanel.h"

namespace plomix {
namespace {


TFont DesignGridFont(int dpi) {
  TFont font;
  font.Font.setFamily(Text("ＭＳ Ｐゴシック"));
  SetFontSizePoints(font.Font, 9, dpi);
  font.Color = clWindowText;
  return font;
}

}  // namespace

TDataListForm::TDataListForm(TRecordList &records, TParameter &environment, TSortKey &sortKey,
                             int &sortDirection, int currentIndex, QWidget *owner)
    : QDialog(owner),
      FRecords(records),
      FEnvironment(environment),
      FSortKey(sortKey),
      FSortDirection(sortDirection),
      FCurrentIndex(currentIndex),
      FGrid(new TDataGridModel(this)) {
  setupUi(this);
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  setWindowFlag(Qt::WindowMinimizeButtonHint);
  setSizeGripEnabled(true);
  move(191, 182);  // the design position, kept when the environment store is empty
  StringGrid1->setModel(FGrid);
  StringGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
  for (TUpDown *upDown : {UpDown1, UpDown2}) upDown->SetResetGuard(1000);
  FGridFont = DesignGridFont(logicalDpiY());
  SetGridFont(FGridFont);
  SetRowHeight(24);
  const int widths[3] = {180, 176, 162};
  for (int col = 0; col < 3; ++col) StringGrid1->horizontalHeader()->resizeSection(col, widths[col]);
  CreatePopupMenu();
  ConnectHandlers();
}

TDataListForm::~TDataListForm() = default;

void TDataListForm::CreatePopupMenu() {
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  auto item = [this](const char *name, const char *caption, QKeySequence key) {
    QAction *action = PopupMenu1->addAction(Text(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    StringGrid1->addAction(action);  // the shortcut works while the menu is closed
    return action;
  };
  N1 = item("N1", "検索文字列の入力", QKeySequence(Qt::CTRL | Qt::Key_F));
  PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N2"));
  N3 = item("N3", "前方への検索", QKeySequence(Qt::Key_F3));
  N4 = item("N4", "後方への検索", QKeySequence(Qt::SHIFT | Qt::Key_F3));
  PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N5"));
  N6 = item("N6", "先頭行へ移動", QKeySequence(Qt::CTRL | Qt::Key_T));
  N7 = item("N7", "最終行へ移動", QKeySequence(Qt::CTRL | Qt::Key_D));
  PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N8"));
  N9 = item("N9", "住所からカスタマバーコード", QKeySequence(Qt::CTRL | Qt::Key_J));
  connect(StringGrid1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint &pos) { PopupMenu1->popup(StringGrid1->viewport()->mapToGlobal(pos)); });
}

void TDataListForm::ConnectHandlers() {
  connect(Button1, &QPushButton::clicked, this, &TDataListForm::Button1Click);
  connect(Button2, &QPushButton::clicked, this, [this] { done(2); });
  connect(Button3, &QPushButton::clicked, this, &TDataListForm::Button3Click);
  connect(Button4, &QPushButton::clicked, this, &TDataListForm::Button4Click);
  connect(Button5, &QPushButton::clicked, this, &TDataListForm::Button5Click);
  connect(Button6, &QPushButton::clicked, this, &TDataListForm::Button6Click);
  connect(UpDown1, &TUpDown::Click, this, &TDataListForm::UpDown1Click);
  connect(UpDown2, &TUpDown::Click, this, &TDataListForm::UpDown2Click);
  connect(CheckBox1, &QCheckBox::toggled, this, &TDataListForm::CheckBox1Click);
  connect(CheckBox2, &QCheckBox::toggled, this, &TDataListForm::CheckBox2Click);
  connect(CheckBox3, &QCheckBox::toggled, this, &TDataListForm::CheckBox3Click);
  connect(CheckBox4, &QCheckBox::toggled, this, &TDataListForm::CheckBox4Click);
  connect(N1, &QAction::triggered, this, &TDataListForm::N1Click);
  connect(N3, &QAction::triggered, this, &TDataListForm::N3Click);
  connect(N4, &QAction::triggered, this, &TDataListForm::N4Click);
  connect(N6, &QAction::triggered, this, &TDataListForm::N6Click);
  connect(N7, &QAction::triggered, this, &TDataListForm::N7Click);
  connect(N9, &QAction::triggered, this, &TDataListForm::N9Click);
  connect(FGrid, &TDataGridModel::CellEdited, this,
          [this](int row, int col) { StringGrid1SetEditText(col, row); });
  connect(StringGrid1, &TStringGrid::ReturnPressed, this, &TDataListForm::ReturnPressed);
  connect(StringGrid1->verticalHeader(), &QHeaderView::sectionMoved, this,
          &TDataListForm::HeaderSectionMoved);
  for (QWidget *target : {static_cast<QWidget *>(Button7), static_cast<QWidget *>(Panel2),
                          static_cast<QWidget *>(Panel3)})
    target->installEventFilter(this);
  MakeKeyboardSteppable(
      Panel2, [this](Qt::MouseButton button, Qt::KeyboardModifiers keys) { Panel2MouseDown(button, keys); },
      Text("行間隔（右クリック・上矢印キーで＋，左クリック・下矢印キーで－）"));
  MakeKeyboardSteppable(
      Panel3, [this](Qt::MouseButton button, Qt::KeyboardModifiers keys) { Panel3MouseDown(button, keys); },
      Text("段組印刷の段数（右クリック・上矢印キーで＋，左クリック・下矢印キーで－）"));
}

bool TDataListForm::eventFilter(QObject *watched, QEvent *event) {
  // 挿入 acts on the press of a key as of a button, with the same modifiers: nothing
  // else listens to its click.
  if (watched == Button7 && event->type() == QEvent::KeyPress) {
    const auto *key = static_cast<QKeyEvent *>(event);
    if (!key->isAutoRepeat() &&
        (key->key() == Qt::Key_Space || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
      Button7MouseDown(key->modifiers() & ~Qt::KeypadModifier);
      return true;
    }
  }
  // The second press of a quick pair arrives as a double click: it acts once more.
  if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (watched == Button7) {
      Button7MouseDown(mouse->modifiers());  // on the press; the button still shows it
    } else if (watched == Panel2) {
      Panel2MouseDown(mouse->buttons(), mouse->modifiers());
      return true;
    } else if (watched == Panel3) {
      Panel3MouseDown(mouse->buttons(), mouse->modifiers());
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

// ---------------------------------------------------------------- current cell

int TDataListForm::Row() const {
  const QModelIndex current = StringGrid1->currentIndex();
  return current.isValid() ? current.row() + 1 : 1;
}

int TDataListForm::Col() const {
  const QModelIndex current = StringGrid1->currentIndex();
  return current.isValid() ? current.column() + 1 : 1;
}

bool TDataListForm::StringGrid1SelectCell(int col, int row) const {
  return !(row == FGrid->RowCount() - 1 && col > 1);
}

void TDataListForm::SetCurrent(int row, int col) {
  if (row < 1 || row > FGrid->RowCount() - 1 || col < 1 || col > 3) return;
  if (!StringGrid1SelectCell(col, row)) return;
  const QModelIndex target = FGrid->index(row - 1, col - 1);
  // The cell alone is selected, whatever modifier keys the user holds (Ctrl on "挿入").
  StringGrid1->selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
  StringGrid1->scrollTo(target);
}

void TDataListForm::RefreshCaption() {
  setWindowTitle(Text("データの一覧表示  :  ") + QString::number(FGrid->RowCount() - 2) + Text("個"));
}

// ---------------------------------------------------------------- show and close

void TDataListForm::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (FShownOnce) return;
  FShownOnce = true;
  FormShow();
}

void TDataListForm::FormShow() {
  if (FEnvironment.Count() > 0) ReadSettings();
  else PrintColumns = 1;
  SetGridFont(FGridFont);

  std::vector<TDataRecord> records;
  records.reserve(static_cast<std::size_t>(FRecords.Count()));
  for (int i = 0; i < FRecords.Count(); ++i) records.push_back(FRecords.Record(i));
  FGrid->Load(std::move(records));
  RefreshCaption();
  Panel2->setText(Text("行間隔 = ") + QString::number(RowHeight()));
  Panel3->setText(Text("印刷の段数 = ") + QString::number(PrintColumns));
  SetCurrent(FCurrentIndex == -1 ? 1 : FCurrentIndex + 1, 1);
  StringGrid1->setFocus();
}

// Reads every key; one that cannot be read keeps its design value, and all such keys
// are reported together once.
void TDataListForm::ReadSettings() {
  const TParameter &p = FEnvironment;
  QStringList problems;
  auto attempt = [&problems](auto &&step) {
    try {
      step();
    } catch (const std::exception &error) {
      problems << SjisToUnicode(error.what());
    }
  };
  auto integer = [&p](const char *name) {
    try {
      return p.ReadInteger(Sjis(name));
    } catch (const EConvertError &error) {  // name the key the text belongs to
      throw EConvertError(Sjis(name) + ": " + error.what());
    }
  };
  auto ranged = [&integer](const char *name, int low, int high) {
    const int value = integer(name);
    if (value < low || value > high)
      throw EValueName("Value of " + Sjis(name) + " '" + std::to_string(value) + "' is not within " +
                       std::to_string(low) + ".." + std::to_string(high) + ".");
    return value;
  };

  QRect bounds = geometry();
  attempt([&] { bounds.moveLeft(integer(dlkey::Left)); });
  attempt([&] { bounds.moveTop(integer(dlkey::Top)); });
  attempt([&] { bounds.setWidth(ranged(dlkey::Width, 1, 32767)); });
  attempt([&] { bounds.setHeight(ranged(dlkey::Height, 1, 32767)); });
  resize(bounds.size());  // first: a resize would make the position a client position again
  MoveFrameTo(*this, bounds.topLeft());
  attempt([&] {
    switch (ranged(dlkey::WindowState, 0, 2)) {
      case 1: setWindowState(Qt::WindowMinimized); break;
      case 2: setWindowState(Qt::WindowMaximized); break;
      default: break;
    }
  });
  const int dpi = logicalDpiY();
  TFont font = FGridFont;
  attempt([&] { font.Font.setFamily(SjisToUnicode(p.ReadString(Sjis(dlkey::FontName)))); });
  attempt([&] { SetFontSizePoints(font.Font, ranged(dlkey::FontSize, 1, 1000), dpi); });
  attempt([&] {
    const TFontStyles styles = p.ReadFontStyle(Sjis(dlkey::FontStyle));
    font.Font.setBold(styles.Contains(fsBold));
    font.Font.setItalic(styles.Contains(fsItalic));
    font.Font.setUnderline(styles.Contains(fsUnderline));
    font.Font.setStrikeOut(styles.Contains(fsStrikeOut));
  });
  attempt([&] { font.Color = integer(dlkey::FontColor); });
  FGridFont = font;
  attempt([&] { SetRowHeight(ranged(dlkey::RowHeight, 6, 80)); });
  for (int col = 0; col < 3; ++col)
    attempt([&] {
      StringGrid1->horizontalHeader()->resizeSection(col, ranged(dlkey::ColWidths[col], 0, 32767));
    });
  attempt([&] { PrintColumns = ranged(dlkey::Partition, 1, 24); });
  const struct { QCheckBox *box; const char *key; } boxes[] = {
      {CheckBox1, dlkey::EnterMovesDown}, {CheckBox2, dlkey::AlwaysEdit},
      {CheckBox3, dlkey::EnterChecks}, {CheckBox4, dlkey::ExactSearch}};
  for (const auto &[box, key] : boxes) attempt([&] { box->setChecked(p.ReadBool(Sjis(key))); });
  attempt([&] { Edit1->setText(SjisToUnicode(p.ReadString(Sjis(dlkey::SearchText)))); });

  if (problems.isEmpty()) return;
  problems.prepend(Text("設定の一部を読み込めませんでした。読めなかった項目は初期値を使います。\n"));
  QMessageBox box(QMessageBox::Warning, Text("Plomix"), problems.join(QLatin1Char('\n')),
                  QMessageBox::Ok, this);
  box.setObjectName(QStringLiteral("MessageBox"));
  box.exec();
}

void TDataListForm::done(int result) {
  FormCloseQuery();
  QDialog::done(result);
}

void TDataListForm::FormCloseQuery() {
  WriteSettings();
  FListReturnIndex = Row() - 1;
}

void TDataListForm::WriteSettings() {
  TParameter &p = FEnvironment;
  auto integer = [&p](const char *name, int value) { p.WriteInteger(Sjis(name), value); };
  if (p.Count() == 0 || !isMaximized()) {  // a maximised window keeps its last normal bounds
    integer(dlkey::Left, pos().x());
    integer(dlkey::Top, pos().y());
    integer(dlkey::Width, width());
    integer(dlkey::Height, height());
  }
  integer(dlkey::WindowState, isMaximized() ? 2 : isMinimized() ? 1 : 0);
  p.WriteString(Sjis(dlkey::FontName), UnicodeToSjis(FGridFont.Font.family()));
  integer(dlkey::FontSize, FontSizePoints(FGridFont.Font, logicalDpiY()));
  TFontStyles styles;
  if (FGridFont.Font.bold()) styles.Include(fsBold);
  if (FGridFont.Font.italic()) styles.Include(fsItalic);
  if (FGridFont.Font.underline()) styles.Include(fsUnderline);
  if (FGridFont.Font.strikeOut()) styles.Include(fsStrikeOut);
  p.WriteFontStyle(Sjis(dlkey::FontStyle), styles);
  integer(dlkey::FontColor, FGridFont.Color);
  integer(dlkey::RowHeight, RowHeight());
  for (int col = 0; col < 3; ++col)
    integer(dlkey::ColWidths[col], StringGrid1->horizontalHeader()->sectionSize(col));
  integer(dlkey::Partition, PrintColumns);
  p.WriteBool(Sjis(dlkey::EnterMovesDown), CheckBox1->isChecked());
  p.WriteBool(Sjis(dlkey::AlwaysEdit), CheckBox2->isChecked());
  p.WriteBool(Sjis(dlkey::EnterChecks), CheckBox3->isChecked());
  p.WriteBool(Sjis(dlkey::ExactSearch), CheckBox4->isChecked());
  p.WriteString(Sjis(dlkey::SearchText), UnicodeToSjis(Edit1->text()));
}

// ---------------------------------------------------------------- font and row height

void TDataListForm::SetGridFont(const TFont &font) {
  FGridFont = font;
  StringGrid1->setFont(font.Font);
  QPalette palette = StringGrid1->palette();
  palette.setColor(QPalette::Text, ColorToQColor(font.Color));
  StringGrid1->setPalette(palette);
  // Column 0 holds eight digits.
  const int digits = QFontMetrics(font.Font).horizontalAdvance(QStringLiteral("00000000"));
  StringGrid1->verticalHeader()->setFixedWidth(digits + 8);
}

int TDataListForm::RowHeight() const { return StringGrid1->verticalHeader()->defaultSectionSize(); }

void TDataListForm::SetRowHeight(int height) {
  StringGrid1->verticalHeader()->setDefaultSectionSize(height);
}

}  // namespace plomix
