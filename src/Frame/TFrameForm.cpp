#include "Frame/TFrameForm.h"

#include <QAbstractItemView>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QTextBlock>
#include <QUrl>
#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string_view>

#include "PictureFiles/PictureFiles.h"
#include "Symbol/SettingRanges.h"
#include "Symbol/SymbolDefaults.h"
#include "Encoders/SymbologyTable.h"
#include "BarImage/TBarImage.h"
#include "Common/UiText.h"
#include "Common/Colors.h"
#include "Common/ShiftJis.h"
#include "Frame/EnvironmentKeys.h"
#include "Common/FontSizes.h"
#include "Frame/FrameAccessibleNames.h"
#include "Frame/ReadmeScroll.h"
#include "Frame/SaveDialogSettings.h"
#include "Frame/SymbologyControls.h"
#include "Param/TParameter.h"
#include "Widgets/Spinner.h"
#include "Widgets/StepPanel.h"

namespace plomix {
namespace {

bool IsEnterKey(QEvent *event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<QKeyEvent *>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

std::string BoxText(const QComboBox *box) { return UnicodeToSjis(box->currentText()); }

}  // namespace

TFrameForm::TFrameForm(const QString &programDir, QWidget *parent)
    : QWidget(parent),
      FProgramDir(programDir),
      FProgramDirGiven(!programDir.isEmpty()),
      FRecords(new TRecordList(this)) {
  setupUi(this);
  setFont(DefaultSymbolFont().Font);
  QFont memoFont(Text("ＭＳ ゴシック"));
  memoFont.setPixelSize(13);
  memoFont.setStyleHint(QFont::TypeWriter);
  Memo1->setFont(memoFont);

  ApplySymbolDesignDefaults(*BarImage1);
  FontDialog1Font = *BarImage1->BarFont();
  OrgHeight = BarImage1->BarHeight();

  // The three boxes show the record list's three columns.
  const struct { QComboBox *box; TRecordField field; } boxes[] = {
      {ComboBox1, rfCode}, {ComboBox7, rfCommentUp}, {ComboBox8, rfCommentDown}};
  for (const auto &[box, field] : boxes) {
    box->setModel(FRecords);
    box->setModelColumn(field);
    box->setCompleter(nullptr);
    if (auto *view = qobject_cast<QListView *>(box->view())) view->setUniformItemSizes(true);
    box->setCurrentIndex(-1);
    box->setInsertPolicy(QComboBox::NoInsert);  // Enter adds records through the handlers only
    // Codes and comments of any length: the record list and the encoders take them whole.
    box->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
    // A key typed by the user arrives at the box, the focus widget, which hands it to its
    // line edit without passing the line edit's filters; text set on the line edit
    // directly arrives there. Both are watched.
    box->installEventFilter(this);
    box->lineEdit()->installEventFilter(this);
  }
  // The symbology list opens at least as wide as its longest name.
  QAbstractItemView *typeList = ComboBox2->view();
  typeList->setMinimumWidth(typeList->sizeHintForColumn(0) + 2 * typeList->frameWidth() +
                            typeList->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
  Button14->setProperty("Tag", 0);
  UpDown11->SetResetGuard(1000);
  Panel7->installEventFilter(this);
  Panel8->installEventFilter(this);
  MakeKeyboardSteppable(
      Panel7, [this](Qt::MouseButton button, Qt::KeyboardModifiers keys) { Panel7MouseDown(button, keys); },
      Text("印刷時の行間隔（右クリック・上矢印キーで＋，左クリック・下矢印キーで－）"));
  MakeKeyboardSteppable(
      Panel8, [this](Qt::MouseButton button, Qt::KeyboardModifiers keys) { Panel8MouseDown(button, keys); },
      Text("印刷時の列間隔（右クリック・上矢印キーで＋，左クリック・下矢印キーで－）"));

  CreateSpinners();
  CreatePopupMenu();
  ConnectHandlers();
  CreateReadBackPanel();
  SetFrameAccessibleNames(*this);
  resize(368, 441);
  // A user starts by typing a code: the code box has the keys when the window opens.
  ComboBox1->setFocus();
}

TFrameForm::~TFrameForm() = default;

// ---------------------------------------------------------------- construction

// One row per edit box and up-down pair: what its value sets on the symbol, and what
// entering a value does besides.
void TFrameForm::CreateSpinners() {
  TBarImage *bar = BarImage1;
  const std::function<void()> refresh = [this] { StatusRefresh(); };
  const struct {
    const char *key;
    QLineEdit *edit;
    TUpDown *upDown;
    IntRange range;
    std::function<void(int)> toSymbol;
    std::function<void()> entered;
  } rows[] = {
      {envkey::Scale, Edit1, UpDown1, kScaleRange, [bar](int v) { bar->SetScale(static_cast<TSCale>(v)); }, refresh},
      {envkey::BarHeight, Edit2, UpDown2, kBarHeightControlRange, [bar](int v) { bar->SetBarHeight(v); },
       [this, bar] {
         OrgHeight = bar->BarHeight();
         StatusRefresh();
       }},
      {envkey::ElementRatio, Edit3, UpDown3, kElementRatioRange,
       [bar](int v) { bar->SetElementRatio(static_cast<TElementRatio>(v)); }, refresh},
      {envkey::SpaceLeft, Edit4, UpDown4, kSpaceControlRange, [bar](int v) { bar->SetBarSpaceLeft(v); }, refresh},
      {envkey::SpaceRight, Edit5, UpDown5, kSpaceControlRange, [bar](int v) { bar->SetBarSpaceRight(v); }, refresh},
      {envkey::Frame, Edit6, UpDown6, kFrameSizeControlRange,
       [bar](int v) { bar->SetBarFrame(static_cast<TFrameSize>(v)); },
       [this, bar] {
         if (!Symbology(bar->BarType()).fixedBarHeight) OrgHeight = bar->BarHeight();
         StatusRefresh();
       }},
      // The print copies and scale are read by printing; entering them changes no symbol.
      {envkey::PrintCopies, Edit7, UpDown7, kPrintCopiesRange, nullptr, nullptr},
      // Only the scale's arrows end the actual-size state (UpDown8Click); a typed scale keeps it.
      {envkey::PrintScale, Edit8, UpDown8, kPrintScaleRange, nullptr, nullptr},
      {envkey::SpaceUp, Edit9, UpDown9, kSpaceControlRange, [bar](int v) { bar->SetBarSpaceUp(v); }, refresh},
      {envkey::SpaceDown, Edit10, UpDown10, kSpaceControlRange, [bar](int v) { bar->SetBarSpaceDown(v); }, refresh},
  };
  for (const auto &row : rows) {
    row.upDown->setMin(row.range.low);
    row.upDown->setMax(row.range.high);
    auto *spinner = new TSpinner(row.edit, row.upDown, [toSymbol = row.toSymbol, entered = row.entered](int v) {
      if (toSymbol) toSymbol(v);
      if (entered) entered();
    });
    FSpinners.push_back({row.key, spinner, row.toSymbol});
  }
}

TSpinner *TFrameForm::Spinner(const TUpDown *upDown) const {
  for (const TFrameSpinner &row : FSpinners)
    if (row.Spinner->UpDown() == upDown) return row.Spinner;
  return nullptr;
}

const TFrameForm::TFrameSpinner &TFrameForm::SpinnerFor(const char *key) const {
  for (const TFrameSpinner &row : FSpinners)
    if (std::string_view(row.Key) == key) return row;
  throw std::logic_error(std::string("no spinner for ") + key);
}

void TFrameForm::CreatePopupMenu() {
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  auto item = [this](QMenu *menu, const char *name, const char *caption, QKeySequence key) {
    QAction *action = menu->addAction(Text(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);  // the shortcut works while the menu is closed
    return action;
  };
  QMenu *rotation = PopupMenu1->addMenu(Text("回転"));
  T1 = rotation->menuAction();
  T1->setObjectName(QStringLiteral("T1"));
  N01 = item(rotation, "N01", "0°", QKeySequence(Qt::CTRL | Qt::Key_F1));
  N901 = item(rotation, "N901", "90°", QKeySequence(Qt::CTRL | Qt::Key_F2));
  N1801 = item(rotation, "N1801", "180°", QKeySequence(Qt::CTRL | Qt::Key_F3));
  N2701 = item(rotation, "N2701", "270°", QKeySequence(Qt::CTRL | Qt::Key_F4));
  rotation->addSeparator();
  CtrlF51 = item(rotation, "CtrlF51", "反転", QKeySequence(Qt::CTRL | Qt::Key_F5));
  N4 = item(PopupMenu1, "N4", "バーコードのサイズ情報", QKeySequence(Qt::CTRL | Qt::Key_I));
  N5 = item(PopupMenu1, "N5", "住所から作成…", QKeySequence(Qt::CTRL | Qt::Key_J));
  PopupMenu1->addSeparator();
  Help1 = item(PopupMenu1, "Help1", "ﾍﾙﾌﾟ", QKeySequence(Qt::Key_F1));
  PopupMenu1->addSeparator();
  CsvImport1 = item(PopupMenu1, "CsvImport1", "CSVファイルの読み込み...", {});
  for (QAction *action : {N01, N901, N1801, N2701, CtrlF51}) action->setCheckable(true);

  for (QWidget *target : {static_cast<QWidget *>(ScrollBox1), static_cast<QWidget *>(Panel2)}) {
    target->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(target, &QWidget::customContextMenuRequested, this,
            [this, target](const QPoint &pos) { PopupMenu1->popup(target->mapToGlobal(pos)); });
  }
}

void TFrameForm::ConnectHandlers() {
  connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this, &TFrameForm::ComboBox1Edited);
  connect(ComboBox1, &QComboBox::activated, this, &TFrameForm::ComboBox1Change);
  connect(ComboBox7, &QComboBox::activated, this, &TFrameForm::ComboBox7Change);
  connect(ComboBox8, &QComboBox::activated, this, &TFrameForm::ComboBox8Change);
  connect(ComboBox2, &QComboBox::activated, this, &TFrameForm::ComboBox2Change);
  connect(ComboBox3, &QComboBox::activated, this, &TFrameForm::ComboBox3Change);
  connect(ComboBox4, &QComboBox::activated, this, &TFrameForm::ComboBox4Change);
  connect(ComboBox5, &QComboBox::activated, this, &TFrameForm::ComboBox5Change);
  connect(ComboBox6, &QComboBox::activated, this, &TFrameForm::ComboBox6Change);
  connect(UpDown11, &TUpDown::Click, this, &TFrameForm::UpDown11Click);
  connect(CheckBox1, &QCheckBox::clicked, this, &TFrameForm::CheckBox1Click);
  connect(CheckBox2, &QCheckBox::clicked, this, &TFrameForm::CheckBox2Click);
  connect(CheckBox3, &QCheckBox::clicked, this, &TFrameForm::CheckBox3Click);
  connect(Button1, &QPushButton::clicked, this, &TFrameForm::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TFrameForm::Button2Click);
  connect(Button3, &QPushButton::clicked, this, &TFrameForm::Button3Click);
  connect(Button4, &QPushButton::clicked, this, &TFrameForm::Button4Click);
  connect(Button5, &QPushButton::clicked, this, &TFrameForm::Button5Click);
  connect(Button6, &QPushButton::clicked, this, &TFrameForm::Button6Click);
  connect(Button7, &QPushButton::clicked, this, &TFrameForm::Button7Click);
  connect(Button8, &QPushButton::clicked, this, &TFrameForm::Button8Click);
  connect(Button9, &QPushButton::clicked, this, &TFrameForm::Button9Click);
  connect(LabelSheetButton, &QPushButton::clicked, this, &TFrameForm::LabelSheetButtonClick);
  connect(Button10, &QPushButton::clicked, this, &TFrameForm::Button10Click);
  connect(UpDown8, &TUpDown::Click, this, &TFrameForm::UpDown8Click);
  connect(Button11, &QPushButton::clicked, this, &TFrameForm::Button11Click);
  connect(Button12, &QPushButton::clicked, this, &TFrameForm::Button12Click);
  connect(Button13, &QPushButton::clicked, this, &TFrameForm::Button13Click);
  connect(Button14, &QPushButton::clicked, this, &TFrameForm::Button14Click);
  connect(PopupMenu1, &QMenu::aboutToShow, this, &TFrameForm::PopupMenu1Popup);
  connect(N01, &QAction::triggered, this, [this] { AngleItemClick(0); });
  connect(N901, &QAction::triggered, this, [this] { AngleItemClick(90); });
  connect(N1801, &QAction::triggered, this, [this] { AngleItemClick(180); });
  connect(N2701, &QAction::triggered, this, [this] { AngleItemClick(270); });
  connect(CtrlF51, &QAction::triggered, this, &TFrameForm::CtrlF51Click);
  connect(Help1, &QAction::triggered, this, &TFrameForm::Help1Click);
  connect(N4, &QAction::triggered, this, &TFrameForm::N4Click);
  connect(N5, &QAction::triggered, this, &TFrameForm::N5Click);
  connect(CsvImport1, &QAction::triggered, this, &TFrameForm::CsvImport1Click);
  setAcceptDrops(true);
  BarImage1->OnChangedCode = [this](TBarImage *sender, bool watch) {
    BarImage1ChangedCode(sender, watch);
  };
}

// ---------------------------------------------------------------- shared routines

int TFrameForm::ListReturnIndex() const { return Button14->property("Tag").toInt(); }
void TFrameForm::SetListReturnIndex(int index) { Button14->setProperty("Tag", index); }

void TFrameForm::SelectRecord(int index) {
  for (QComboBox *box : {ComboBox1, ComboBox7, ComboBox8}) box->setCurrentIndex(index);
}

void TFrameForm::PushRecord() {
  BarImage1->SetBarEnabled(false);
  BarImage1->SetCommentUp(BoxText(ComboBox7));
  BarImage1->SetCommentDown(BoxText(ComboBox8));
  BarImage1->SetCode(BoxText(ComboBox1));
  BarImage1->SetBarEnabled(true);
}

void TFrameForm::SetSymbolComments(const std::string &up, const std::string &down) {
  BarImage1->SetBarEnabled(false);
  BarImage1->SetCommentUp(up);
  BarImage1->SetCommentDown(down);
  BarImage1->SetBarEnabled(true);
}

void TFrameForm::SetStatus(const QString &text, const QColor &color) {
  QPalette palette = Panel5->palette();
  palette.setColor(QPalette::WindowText, color);
  Panel5->setPalette(palette);
  Panel5->setText(text);
}

void TFrameForm::StatusRefresh() {
  TSpinner *height = SpinnerFor(envkey::BarHeight).Spinner;
  TSpinner *frame = SpinnerFor(envkey::Frame).Spinner;
  if (height->Position() != BarImage1->BarHeight()) height->SetPosition(BarImage1->BarHeight());
  if (frame->Position() != BarImage1->BarFrame()) frame->SetPosition(BarImage1->BarFrame());
  if (BarImage1->BarDisped()) {
    Panel4->setText(QString::number(BarImage1->BarWidth()));
    SetStatus(Text("表示しました。"), QColor(0, 0, 255));
  } else {
    Panel4->setText(QStringLiteral("0"));
    SetStatus(Text("表示出来ません。"), QColor(255, 0, 0));
    ReadBackPanel->hide();  // no symbol, no verdict
  }
  Label1->setText(Text("バーコード文字列 (%1 of %2)").arg(CurrentIndex() + 1).arg(FRecords->Count()));
  const int cdn = BarImage1->CDN();
  const int expected = BarImage1->ExpectedCheckDigit();
  // A number typed with a wrong check digit: the check digit panel names the right one.
  QPalette checkPalette = Panel1->palette();
  checkPalette.setColor(QPalette::WindowText, expected >= 0 ? QColor(255, 0, 0) : palette().color(QPalette::WindowText));
  Panel1->setPalette(checkPalette);
  Panel5->setToolTip({});
  if (expected >= 0) {
    const QString reason = Text("チェックデジットが違います。最後の桁を %1 にして下さい。").arg(expected);
    Panel1->setText(Text("%1 にして下さい").arg(expected));
    Panel1->setToolTip(reason);
    Panel5->setToolTip(reason);
  } else if (cdn == -1) {
    Panel1->setText({});
    Panel1->setToolTip(Text("チェックデジット"));
  } else {
    const QString cdc = SjisToUnicode(BarImage1->CDC());
    Panel1->setText(BarImage1->BarType() == cbarCODE93
                        ? QStringLiteral("%1 (%2, %3)").arg(cdc).arg(cdn % 100).arg(cdn / 100)
                        : QStringLiteral("%1 (%2)").arg(cdc).arg(cdn));
    Panel1->setToolTip(Text("チェックデジット(カッコ内は数値ベース)"));
  }
}

int TFrameForm::InsertPosition() const {
  return std::clamp(ShownIndex + 1, 0, FRecords->Count());
}

void TFrameForm::AddCodeAfterShown(const std::string &code) {
  const int index = FRecords->IsEmpty() ? 0 : InsertPosition();
  FRecords->Insert(index, {code, {}, {}});
  SelectRecord(index);
}

// ---------------------------------------------------------------- button bar

// Copy and save take the shown symbol; without one (also after a failed UPC conversion,
// which leaves the old picture on screen) the status line says why nothing happened.
void TFrameForm::Button3Click() {
  if (!BarImage1->BarDisped()) {
    SetStatus(Text("バーコードが表示されていないため、コピー出来ません。"), QColor(255, 0, 0));
    return;
  }
  BarImage1->CopyBar();
}

void TFrameForm::Button4Click() {
  if (!BarImage1->BarDisped()) {
    SetStatus(Text("バーコードが表示されていないため、保存出来ません。"), QColor(255, 0, 0));
    return;
  }
  const int copyMethod = std::clamp(ComboBox6->currentIndex(), 0, 2);
  const QStringList filters = SaveDialogFilters();
  QFileDialog dialog(this);
  dialog.setObjectName(QStringLiteral("SaveDialog1"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(filters);
  dialog.selectNameFilter(filters[copyMethod]);
  dialog.setDefaultSuffix(QStringLiteral("bmp"));
  if (!SaveDir.isEmpty()) dialog.setDirectory(SaveDir);
  dialog.selectFile(ProposedPictureName(static_cast<TPictures>(copyMethod)));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().constFirst();
  QString error;
  // The file type follows the copy method, never the name (JPEG only by a bitmap's name).
  if (!SavePictureAs(BarImage1->Picture(), BarImage1->BarPicture(), path, &error)) {
    // What failed and which file first, then the system's own reason.
    ReportProblems(Text("Plomix"),
                   {Text("画像ファイル「%1」を保存出来ませんでした。").arg(QDir::toNativeSeparators(path)) +
                    QLatin1Char('\n') + error});
    return;
  }
  SaveDir = SaveDirOf(path);
}

void TFrameForm::Button6Click() { close(); }

void TFrameForm::SetSpacingPanel(QLabel *panel, const char *caption, int value) {
  panel->setText(Text(caption) + QString::number(value));
}

namespace {

int SpacingStep(Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  int step = 1;
  if (modifiers & Qt::ShiftModifier) step = 10;
  else if (modifiers & Qt::ControlModifier) step = 5;
  else if (modifiers & Qt::AltModifier) step = 2;
  if (button == Qt::LeftButton) return -step;
  if (button == Qt::RightButton) return step;
  return 0;
}

}  // namespace

void TFrameForm::Panel7MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  RowSpacing = std::clamp(RowSpacing + SpacingStep(button, modifiers), 0, 2000);
  SetSpacingPanel(Panel7, "行間隔 = ", RowSpacing);
}

void TFrameForm::Panel8MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  ColumnSpacing = std::clamp(ColumnSpacing + SpacingStep(button, modifiers), 0, 2000);
  SetSpacingPanel(Panel8, "列間隔 = ", ColumnSpacing);
}

// ---------------------------------------------------------------- pop-up menu

void TFrameForm::PopupMenu1Popup() {
  N5->setEnabled(BarImage1->BarType() == cbarCUSTOMER);
  for (QAction *action : {N01, N901, N1801, N2701, CtrlF51}) action->setChecked(false);
  if (BarImage1->BarPicture() != picBMP) {
    T1->setEnabled(false);
    N01->setChecked(true);
    return;
  }
  T1->setEnabled(true);
  switch (BarImage1->Angle()) {
    case 90: N901->setChecked(true); break;
    case 180: N1801->setChecked(true); break;
    case 270: N2701->setChecked(true); break;
    default: N01->setChecked(true); break;
  }
  CtrlF51->setChecked(BarImage1->Reverse());
}

void TFrameForm::AngleItemClick(int angle) {
  BarImage1->SetAngle(angle);
  StatusRefresh();
}

void TFrameForm::CtrlF51Click() {
  // Each use turns the mirror over, also from the shortcut while the menu stays closed.
  BarImage1->SetReverse(!BarImage1->Reverse());
  CtrlF51->setChecked(BarImage1->Reverse());
  StatusRefresh();
}

void TFrameForm::Help1Click() { QDesktopServices::openUrl(QUrl::fromLocalFile(ReadmePath())); }

// ---------------------------------------------------------------- read-me pane, layout

void TFrameForm::ReadmeScroll(int barType) {
  QTextDocument *document = Memo1->document();
  QTextCursor cursor(document->lastBlock());
  Memo1->setTextCursor(cursor);
  Memo1->ensureCursorVisible();
  const int line = std::min(ReadmeSectionLine(barType), document->blockCount() - 1);
  Memo1->setTextCursor(QTextCursor(document->findBlockByNumber(std::max(line, 0))));
  Memo1->ensureCursorVisible();
}

void TFrameForm::FormResize() {
  const int top = height() - Panel3->height() - Panel2->height();
  Panel2->move(0, top);
  Panel3->setGeometry(0, height() - Panel3->height(), width(), Panel3->height());
  Panel6->setGeometry(Panel2->width(), top, std::max(0, width() - Panel2->width()), Panel2->height());
  Memo1->setGeometry(0, 0, Panel6->width(), Panel6->height());
  ScrollBox1->setGeometry(0, 0, width(), std::max(0, top));
  ReadmeScroll(BarImage1->BarType());
}

void TFrameForm::resizeEvent(QResizeEvent *event) {
  QWidget::resizeEvent(event);
  FormResize();
}

bool TFrameForm::eventFilter(QObject *watched, QEvent *event) {
  if (IsEnterKey(event)) {
    if (watched == ComboBox1 || watched == ComboBox1->lineEdit()) { ComboBox1KeyDown(); return true; }
    if (watched == ComboBox7 || watched == ComboBox7->lineEdit()) { ComboBox7KeyDown(); return true; }
    if (watched == ComboBox8 || watched == ComboBox8->lineEdit()) { ComboBox8KeyDown(); return true; }
  }
  // The second press of a quick pair arrives as a double click: it steps once more.
  if ((event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) &&
      (watched == Panel7 || watched == Panel8)) {
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (watched == Panel7) Panel7MouseDown(mouse->button(), mouse->modifiers());
    else Panel8MouseDown(mouse->button(), mouse->modifiers());
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace plomix
