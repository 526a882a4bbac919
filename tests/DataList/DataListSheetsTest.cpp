// The data list and spreadsheets: blocks pasted and copied through the clipboard, undo
// and redo of every kind of change, CSV files exported and imported.
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QUrl>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <functional>

#include "DataList/CsvImportForm.h"
#include "Sort/TSortForm.h"
#include "tests/DataList/DataListFixture.h"

namespace plomix::test {
namespace {

using Rows = std::vector<std::tuple<std::string, std::string, std::string>>;

// Every grid row below the header, the entry row included: what undo must give back.
Rows GridRows(const ListFixture &f) {
  Rows rows;
  for (const TDataRecord &r : f.Model()->Rows()) rows.emplace_back(r.Code, r.CommentUp, r.CommentDown);
  return rows;
}

Rows RecordRows(const std::vector<TDataRecord> &records) {
  Rows rows;
  for (const TDataRecord &r : records) rows.emplace_back(r.Code, r.CommentUp, r.CommentDown);
  rows.emplace_back();  // the entry row
  return rows;
}

void SetClipboard(const char *mimeType, const QByteArray &bytes) {
  auto *mime = new QMimeData;
  if (QByteArrayView(mimeType) == "text/plain") mime->setText(QString::fromUtf8(bytes));
  else mime->setData(QString::fromLatin1(mimeType), bytes);
  QApplication::clipboard()->setMimeData(mime);
}

const std::vector<TDataRecord> kList = {{"A", "a1", "a2"}, {"B", "b1", "b2"}, {"C", "c1", "c2"}};

// What LibreOffice Calc puts on the clipboard for a block of three columns: cells split
// by tabs, rows ended by LF, a cell with a line break in quotes; Japanese and empty cells.
const QByteArray kCalcBlock = "4901234567894\t\xE5\x95\x86\xE5\x93\x81\xE7\x95\xAA\xE5\x8F\xB7\t\n"
                              "\t\t\xE5\x9C\xA8\xE5\xBA\xAB\n"
                              "4909876543210\t\"\xE6\x9D\xB1\xE4\xBA\xAC\n\xE5\x80\x89\xE5\xBA\xAB\"\t\"say \"\"hi\"\"\"\n";

TEST(DataListSheets, PastedBlocksFillCellsFromTheCurrentOneAndUndoPutsTheListBack) {
  const std::string goods = S("商品番号"), stock = S("在庫"), store = S("東京 倉庫");
  struct Row {
    const char *note;
    int row, col;
    const char *mimeType;
    QByteArray text;
    std::vector<TDataRecord> expected;
  };
  const Row rows[] = {
      {"Calc block on record 2: overwrites two records, adds one before the entry row", 2, 1, "text/plain", kCalcBlock,
       {{"A", "a1", "a2"}, {"4901234567894", goods, ""}, {"", "", stock}, {"4909876543210", store, "say \"hi\""}}},
      {"from the upper comment: three columns of cells, the third one dropped", 1, 2, "text/plain", "x\ty\tz\n",
       {{"A", "x", "y"}, {"B", "b1", "b2"}, {"C", "c1", "c2"}}},
      {"on the entry row: records added", 4, 1, "text/plain", "D\td1\nE\n",
       {{"A", "a1", "a2"}, {"B", "b1", "b2"}, {"C", "c1", "c2"}, {"D", "d1", ""}, {"E", "", ""}}},
      {"Excel's CR LF and a single cell", 3, 3, "text/plain", "z\r\n",
       {{"A", "a1", "a2"}, {"B", "b1", "b2"}, {"C", "c1", "z"}}},
      {"text/csv alone", 1, 1, "text/csv", "P,\"p,1\",p2\r\n",
       {{"P", "p,1", "p2"}, {"B", "b1", "b2"}, {"C", "c1", "c2"}}},
  };
  for (const Row &row : rows) {
    ListFixture f;
    f.Open(kList);
    const Rows before = GridRows(f);
    f.ClickCell(row.row, row.col);
    SetClipboard(row.mimeType, row.text);
    f.Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(f.messages.isEmpty()) << row.note;  // a block pastes without a question
    EXPECT_EQ(GridRows(f), RecordRows(row.expected)) << row.note;
    EXPECT_EQ(f.form->windowTitle(), U("データの一覧表示  :  %1個").arg(row.expected.size())) << row.note;
    const Rows after = GridRows(f);
    f.Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(GridRows(f), before) << row.note;
    f.Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(GridRows(f), after) << row.note;
  }
}

TEST(DataListSheets, CharactersShiftJisCannotHoldAreNamedBeforeAnythingChanges) {
  const struct { const char *note; const char *button; Rows expected; } rows[] = {
      {"cancelled: nothing changed", "CancelButton", RecordRows(kList)},
      {"pasted with \"?\"", "ReplaceButton",
       RecordRows({{"A", "a1", "a2"}, {"X", "ok", "b2"}, {"Y", "?", "caf?"}})},
  };
  for (const auto &row : rows) {
    ListFixture f;
    f.Open(kList);
    f.ClickCell(2, 1);
    SetClipboard("text/plain", "X\tok\nY\t\xF0\x9F\x98\x80\tcaf\xC3\xA9\n");  // an emoji, then é
    QString question;
    AnswerNextModal([&](QWidget *modal) {
      auto *box = static_cast<QMessageBox *>(modal);
      question = box->text();
      QTest::mouseClick(box->findChild<QPushButton *>(QString::fromLatin1(row.button)), Qt::LeftButton);
    });
    f.Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(question.startsWith(U("3 行目の「😀」(U+1f600)"))) << row.note << " " << question.toStdString();
    EXPECT_EQ(GridRows(f), row.expected) << row.note;
  }
}

TEST(DataListSheets, CopiedBlocksAreTabSeparatedAndCsv) {
  ListFixture f;
  f.Open({{"A", S("上,1"), "a2"}, {"B", "say \"x\"", ""}, {"C", "c1", "c2"}});
  f.ClickCell(1, 2);
  QTest::mouseClick(f.Grid()->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                    f.Grid()->visualRect(f.Model()->index(1, 2)).center());
  f.Key(Qt::Key_C, Qt::ControlModifier);
  const QMimeData *mime = QApplication::clipboard()->mimeData();
  // Quoted where a spreadsheet needs it to read the cell back whole.
  EXPECT_EQ(mime->text(), U("上,1\ta2\n\"say \"\"x\"\"\"\t\n"));
  EXPECT_EQ(mime->data(QStringLiteral("text/csv")), U("\"上,1\",a2\r\n\"say \"\"x\"\"\",\r\n").toUtf8());
  // Pasted back elsewhere it gives the same cells.
  f.ClickCell(3, 2);
  f.Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(f.Column(2), (std::vector<std::string>{S("上,1"), "say \"x\"", S("上,1"), "say \"x\""}));
  EXPECT_EQ(f.Column(3), (std::vector<std::string>{"a2", "", "a2", ""}));
}

// Undo after each kind of change puts back every row exactly; redo makes it again.
TEST(DataListSheets, UndoAndRedoEveryKindOfChange) {
  using Action = std::function<void(ListFixture &)>;
  auto insert = [](Qt::KeyboardModifiers modifiers) {
    return [modifiers](ListFixture &f) {
      f.ClickCell(2, 1);
      QTest::mousePress(f.form->Button7, Qt::LeftButton, modifiers);
      QTest::mouseRelease(f.form->Button7, Qt::LeftButton, modifiers);
    };
  };
  const struct { const char *note; Action action; } rows[] = {
      {"typing into a cell (one step for the whole word)",
       [](ListFixture &f) {
         f.ClickCell(2, 2);
         f.Type(U("new"));
         f.Key(Qt::Key_Return);
       }},
      {"typing into the entry row, which grows the grid",
       [](ListFixture &f) {
         f.ClickCell(4, 1);
         f.Type(U("D1"));
       }},
      {"a pasted block", [](ListFixture &f) {
         f.ClickCell(3, 1);
         SetClipboard("text/plain", kCalcBlock);
         f.Key(Qt::Key_V, Qt::ControlModifier);
       }},
      {"insert", insert({})},
      {"insert with Ctrl (copy after)", insert(Qt::ControlModifier)},
      {"insert with Shift (copy before)", insert(Qt::ShiftModifier)},
      {"insert with Alt (empty after)", insert(Qt::AltModifier)},
      {"delete", [](ListFixture &f) {
         f.ClickCell(1, 1);
         f.Click(f.form->Button3);
       }},
      {"drag a row", [](ListFixture &f) {
         QHeaderView *header = f.Grid()->verticalHeader();
         const int x = header->width() / 2;
         const int fromY = header->sectionViewportPosition(0) + header->sectionSize(0) / 2;
         const int toY = header->sectionViewportPosition(2) + header->sectionSize(2) * 3 / 4;
         QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(x, fromY));
         QTest::mouseMove(header->viewport(), QPoint(x, (fromY + toY) / 2));
         QTest::mouseMove(header->viewport(), QPoint(x, toY));
         QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(x, toY));
       }},
      {"swap", [](ListFixture &f) {
         f.ClickCell(1, 1);
         QTest::mouseClick(f.form->UpDown1->findChild<QWidget *>(QStringLiteral("DownButton")), Qt::LeftButton);
       }},
      {"sort by the lower comment, descending", [](ListFixture &f) {
         AnswerNextModal([](QWidget *modal) {
           auto *dialog = static_cast<TSortForm *>(modal);
           QTest::mouseClick(dialog->RadioGroup1Item2, Qt::LeftButton);
           QTest::mouseClick(dialog->RadioGroup2Item1, Qt::LeftButton);
           QTest::mouseClick(dialog->Button1, Qt::LeftButton);
         });
         f.Click(f.form->Button5);
       }},
  };
  for (const auto &row : rows) {
    ListFixture f;
    f.Open({{"B", "b1", "x"}, {"A", "a1", "z"}, {"C", "c1", "y"}});
    const Rows before = GridRows(f);
    row.action(f);
    const Rows after = GridRows(f);
    ASSERT_NE(after, before) << row.note;
    f.ClickCell(1, 3);  // undo works from anywhere in the grid
    f.Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(GridRows(f), before) << row.note;
    EXPECT_EQ(f.form->windowTitle(), U("データの一覧表示  :  3個")) << row.note;
    f.Key(Qt::Key_Z, Qt::ControlModifier);  // nothing more to undo
    EXPECT_EQ(GridRows(f), before) << row.note;
    f.Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(GridRows(f), after) << row.note;
  }
}

TEST(DataListSheets, UndoInAnOpenEditorUndoesTheTypingOfThatCell) {
  ListFixture f;
  f.Open(kList);
  f.ClickCell(1, 1);
  f.Type(U("X"));
  f.Key(Qt::Key_Return);
  f.ClickCell(2, 1);
  f.Type(U("Y"));  // the editor is still open
  f.Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(f.Codes(), (std::vector<std::string>{"X", "B", "C"}));
  f.Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(f.Codes(), (std::vector<std::string>{"A", "B", "C"}));
  f.Click(f.form->Button2);  // Cancel: the record list never saw any of it
  EXPECT_EQ(f.records.List(rfCode), (std::vector<std::string>{"A", "B", "C"}));
}

// ---------------------------------------------------------------- CSV files

// Answers the next import dialog with the button named `button` after `adjust` has set
// its choices.
QPointer<QTimer> AnswerImport(const char *button, std::function<void(TCsvImportForm *)> adjust = {}) {
  return AnswerNextModal(
      [button, adjust](QWidget *modal) {
        auto *form = static_cast<TCsvImportForm *>(modal);
        if (adjust) adjust(form);
        QTest::mouseClick(form->findChild<QPushButton *>(QString::fromLatin1(button)), Qt::LeftButton);
      },
      5000, [](QWidget *modal) { return qobject_cast<TCsvImportForm *>(modal) != nullptr; });
}

QByteArray ReadAll(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(DataListSheets, ExportImportExportGivesTheSameBytes) {
  const std::vector<TDataRecord> list = {{"4901234567894", S("東京都千代田区"), S("在庫あり")},
                                         {"ABC-1", "comma, inside", "quote \" inside"},
                                         {"X", "", ""}};
  QTemporaryDir dir;
  for (const TCsvEncoding encoding : {ceUtf8, ceSjis}) {
    ListFixture f;
    f.Open(list);
    const QString first = dir.filePath(QStringLiteral("first%1.csv").arg(encoding));
    const QString second = dir.filePath(QStringLiteral("second%1.csv").arg(encoding));
    ASSERT_TRUE(f.form->ExportCsvFile(first, encoding));
    const QByteArray bytes = ReadAll(first);
    EXPECT_EQ(bytes.startsWith("\xEF\xBB\xBF"), encoding == ceUtf8);
    ListFixture g;
    g.Open({});
    AnswerImport("ReplaceButton");
    ASSERT_TRUE(g.form->ImportCsvFile(first));
    EXPECT_EQ(GridRows(g), RecordRows(list)) << "the header line is recognised and skipped";
    ASSERT_TRUE(g.form->ExportCsvFile(second, encoding));
    EXPECT_EQ(ReadAll(second), bytes) << encoding;
  }
}

TEST(DataListSheets, ImportDetectsTheEncodingAndHeaderAndRemembersTheColumns) {
  QTemporaryDir dir;
  auto write = [&dir](const char *name, const QByteArray &bytes) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  };
  const QByteArray sjis = QByteArray::fromStdString(S("品名,コード\r\nボルト,111\r\n"));
  struct Row {
    const char *note;
    QByteArray bytes;
    int encoding;         // detected
    bool header;          // recognised
    const char *button;
    std::vector<TDataRecord> expected;
  };
  const Row rows[] = {
      {"UTF-8 with BOM and English titles in another order", "\xEF\xBB\xBFlower comment,code\r\nd,4901\r\n", ceUtf8,
       true, "AppendButton", {{"A", "", ""}, {"4901", "", "d"}}},
      {"UTF-8 without BOM, no header: the usual order", "x,\xE4\xB8\x8A,\xE4\xB8\x8B\n", ceUtf8, false, "ReplaceButton",
       {{"x", S("上"), S("下")}}},
      {"Shift-JIS, titles not known: no header", sjis, ceSjis, false, "ReplaceButton",
       {{S("品名"), S("コード"), ""}, {S("ボルト"), "111", ""}}},
      {"cancelled", "x\n", ceSjis, false, "CancelButton", {{"A", "", ""}}},
  };
  for (const Row &row : rows) {
    ListFixture f;
    f.Open(CodesOnly({"A"}));
    int encoding = -1;
    bool header = false;
    AnswerImport(row.button, [&](TCsvImportForm *form) {
      encoding = form->Encoding();
      header = form->Header();
    });
    EXPECT_EQ(f.form->ImportCsvFile(write("in.csv", row.bytes)), std::string_view(row.button) != "CancelButton");
    EXPECT_EQ(encoding, row.encoding) << row.note;
    EXPECT_EQ(header, row.header) << row.note;
    EXPECT_EQ(GridRows(f), RecordRows(row.expected)) << row.note;
    EXPECT_TRUE(f.records.List(rfCode) == (std::vector<std::string>{"A"})) << "nothing written before OK";
  }

  // Columns chosen by hand are offered again for the next file without titles.
  ListFixture f;
  f.Open({});
  const QString path = write("two.csv", "u,c\n");
  AnswerImport("ReplaceButton", [](TCsvImportForm *form) {
    form->ColumnBoxes[0]->setCurrentIndex(2);  // the code from field 2
    form->ColumnBoxes[1]->setCurrentIndex(1);  // the upper comment from field 1
    form->ColumnBoxes[2]->setCurrentIndex(0);  // no lower comment
  });
  ASSERT_TRUE(f.form->ImportCsvFile(path));
  EXPECT_EQ(GridRows(f), RecordRows({{"c", "u", ""}}));
  TCsvColumns offered;
  AnswerImport("CancelButton", [&offered](TCsvImportForm *form) { offered = form->Columns(); });
  f.form->ImportCsvFile(path);
  EXPECT_EQ(offered, (TCsvColumns{1, 0, -1}));
  // One undo step takes the import back.
  f.Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(GridRows(f), RecordRows({}));
}

TEST(DataListSheets, AnImportThatCannotBeReadChangesNothing) {
  QTemporaryDir dir;
  const QString unclosed = dir.filePath(QStringLiteral("unclosed.csv"));
  QFile file(unclosed);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("a\nb,\"c\n");
  file.close();
  const struct { const char *note; QString path; const char *message; } rows[] = {
      {"missing file", dir.filePath(QStringLiteral("none.csv")), "CSVファイルを読み込めませんでした。"},
      {"a quote never closed", unclosed, "2 行目の引用符"},
  };
  for (const auto &row : rows) {
    ListFixture f;
    f.Open(kList);
    const QPointer<QTimer> answer = AnswerImport("AppendButton");
    f.ExpectMessage();
    EXPECT_FALSE(f.form->ImportCsvFile(row.path)) << row.note;
    delete answer.data();  // no dialog for a file that cannot be read
    ASSERT_EQ(f.messages.size(), 1) << row.note;
    EXPECT_TRUE(f.messages[0].startsWith(U(row.message))) << row.note << f.messages[0].toStdString();
    EXPECT_EQ(GridRows(f), RecordRows(kList)) << row.note;
  }
}

}  // namespace
}  // namespace plomix::test

namespace plomix::test {
namespace {

// The context menu's paste and a CSV file dropped on the grid, as a user reaches them.
TEST(DataListSheets, ContextMenuPastesAndADroppedFileIsImported) {
  ListFixture f;
  f.Open(kList);
  f.ClickCell(1, 2);
  SetClipboard("text/plain", "p\tq\n");
  const QPoint at = f.Grid()->visualRect(f.Model()->index(0, 1)).center();
  QTest::mouseClick(f.Grid()->viewport(), Qt::RightButton, {}, at);
  QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, f.Grid()->viewport()->mapToGlobal(at));
  QApplication::sendEvent(f.Grid()->viewport(), &menuEvent);
  ASSERT_TRUE(QTest::qWaitFor([&] { return f.form->PopupMenu1->isVisible(); }));
  QTest::mouseClick(f.form->PopupMenu1, Qt::LeftButton, {}, f.form->PopupMenu1->actionGeometry(f.form->Paste1).center());
  EXPECT_EQ(GridRows(f), RecordRows({{"A", "p", "q"}, {"B", "b1", "b2"}, {"C", "c1", "c2"}}));

  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("drop.csv"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("D,d1,d2\r\n");
  file.close();
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(path)});
  QWidget *target = f.Grid()->viewport();  // the drop lands on the cells
  QDragEnterEvent enter(target->rect().center(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(target->rect().center(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  bool asked = false;
  AnswerImport("AppendButton", [&asked](TCsvImportForm *) { asked = true; });
  QApplication::sendEvent(target, &drop);
  ASSERT_TRUE(QTest::qWaitFor([&] { return asked && f.Model()->RecordCount() == 4; }));
  EXPECT_EQ(f.Codes(), (std::vector<std::string>{"A", "B", "C", "D"}));
}

}  // namespace
}  // namespace plomix::test
