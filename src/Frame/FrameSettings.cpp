// TFrameForm's settings in the environment file: one row per key, in the order the file
// holds them, saying how the key is restored, how it is saved and what a first run starts
// from. Restore, save and the first run all walk the same rows.
#include <QLabel>
#include <algorithm>

#include "BarImage/TBarImage.h"
#include "Common/UiText.h"
#include "Common/ShiftJis.h"
#include "Frame/EnvironmentKeys.h"
#include "Common/FontSizes.h"
#include "Frame/FrameSettings.h"
#include "Frame/TFrameForm.h"
#include "Param/TParameter.h"
#include "Widgets/Spinner.h"
#include "Widgets/UpDown.h"

namespace plomix {
namespace {

int ReadInteger(const TParameter &p, const char *name) { return p.ReadInteger(Sjis(name)); }

// An integer setting that must lie in [low, high], the range its control allows, to be
// taken; otherwise the key keeps its design-time value and is reported.
int ReadIndex(const TParameter &p, const char *name, int low, int high) {
  const int value = p.ReadInteger(Sjis(name));
  if (value < low || value > high) throw ESettingOutOfRange(name, std::to_string(value), low, high);
  return value;
}

// A text setting of at most `limit` bytes (a font name, a folder).
std::string ReadText(const TParameter &p, const char *name, std::size_t limit) {
  std::string value = p.ReadString(Sjis(name));
  if (value.size() > limit)
    throw ESettingOutOfRange(name, QuotedValue(value), 0, static_cast<int>(limit), /*length=*/true);
  return value;
}

bool ReadBool(const TParameter &p, const char *name) { return p.ReadBool(Sjis(name)); }
void WriteInteger(TParameter &p, const char *name, int value) { p.WriteInteger(Sjis(name), value); }
void WriteBool(TParameter &p, const char *name, bool value) { p.WriteBool(Sjis(name), value); }

}  // namespace

std::vector<TFrameSetting> TFrameForm::SettingsTable() {
  TBarImage *bar = BarImage1;
  using P = const TParameter &;
  using W = TParameter &;
  using S = TSettingsPass &;

  // A row for an edit box with its up-down pair: restored and saved as the pair's position.
  auto spinner = [this](const char *key) {
    const TFrameSpinner &s = SpinnerFor(key);
    return TFrameSetting{key,
                         [key, s](P p, S) {
                           s.Spinner->SetPosition(ReadIndex(p, key, s.Spinner->UpDown()->Min(), s.Spinner->UpDown()->Max()));
                           if (s.ToSymbol) s.ToSymbol(s.Spinner->Position());
                         },
                         [key, s](W p, S) { WriteInteger(p, key, s.Spinner->Position()); }, nullptr};
  };
  // The window's bounds: restored together, saved unless the window is maximised (a
  // maximised window keeps its last normal bounds), except into a new file.
  // A value outside what a window can have on X11 (16-bit coordinates) is malformed; one
  // that is merely off this screen is kept and the window placed where it can be reached.
  // While the window stays where it was placed, the bounds read are written back.
  auto bound = [this](const char *key, int low, void (*restore)(QRect &, int), int (*save)(const QRect &)) {
    return TFrameSetting{key, [key, low, restore](P p, S pass) { restore(pass.Bounds, ReadIndex(p, key, low, 32767)); },
                         [this, key, save](W p, S pass) {
                           if (!pass.NewFile && isMaximized()) return;
                           const QRect now(pos(), size());
                           WriteInteger(p, key, save(FPlacedBounds.isValid() && now == FPlacedBounds ? FStoredBounds : now));
                         },
                         nullptr};
  };
  // The start and stop character boxes: -1 (nothing chosen) .. 3 for A..D.
  auto startStop = [bar](const char *key, QComboBox *box, void (TBarImage::*set)(char)) {
    return TFrameSetting{key,
                         [key, box, bar, set](P p, S) {
                           const int index = ReadIndex(p, key, -1, 3);
                           box->setCurrentIndex(index);
                           (bar->*set)(static_cast<char>('A' + index));
                         },
                         [key, box](W p, S) { WriteInteger(p, key, box->currentIndex()); },
                         [box] {
                           box->setEditable(true);
                           box->setCurrentIndex(0);
                           box->setEditText(QStringLiteral(" "));
                         }};
  };
  auto check = [](const char *key, QCheckBox *box, std::function<void(bool)> apply) {
    return TFrameSetting{key,
                         [key, box, apply](P p, S) {
                           box->setChecked(ReadBool(p, key));
                           apply(box->isChecked());
                         },
                         [key, box](W p, S) { WriteBool(p, key, box->isChecked()); }, nullptr};
  };
  auto choice = [](const char *key, QComboBox *box, int high, std::function<void(int)> apply) {
    return TFrameSetting{key,
                         [key, box, high, apply](P p, S) {
                           box->setCurrentIndex(ReadIndex(p, key, 0, high));
                           if (apply) apply(box->currentIndex());
                         },
                         [key, box](W p, S) { WriteInteger(p, key, box->currentIndex()); },
                         nullptr};
  };
  auto spacing = [this](const char *key, int &value, QLabel *panel, const char *caption, int design) {
    return TFrameSetting{key,
                         [this, key, &value, panel, caption](P p, S) {
                           value = ReadIndex(p, key, 0, 2000);
                           SetSpacingPanel(panel, caption, value);
                         },
                         [key, &value](W p, S) { WriteInteger(p, key, value); },
                         [this, &value, panel, caption, design] {
                           value = design;
                           SetSpacingPanel(panel, caption, value);
                         }};
  };
  TFont &font = FontDialog1Font;

  return {
      bound(envkey::Left, -32768, [](QRect &r, int v) { r.moveLeft(v); }, [](const QRect &r) { return r.left(); }),
      bound(envkey::Top, -32768, [](QRect &r, int v) { r.moveTop(v); }, [](const QRect &r) { return r.top(); }),
      bound(envkey::Width, 1, [](QRect &r, int v) { r.setWidth(v); }, [](const QRect &r) { return r.width(); }),
      bound(envkey::Height, 1, [](QRect &r, int v) { r.setHeight(v); }, [](const QRect &r) { return r.height(); }),
      {envkey::WindowState,
       [this](P p, S pass) {
         PlaceWindow(pass.Bounds);  // the bounds first: a state change keeps them as normal bounds
         switch (ReadIndex(p, envkey::WindowState, 0, 2)) {
           case 1: setWindowState(Qt::WindowMinimized); break;
           case 2: setWindowState(Qt::WindowMaximized); break;
           default: setWindowState(Qt::WindowNoState); break;
         }
       },
       [this](W p, S) { WriteInteger(p, envkey::WindowState, isMaximized() ? 2 : isMinimized() ? 1 : 0); },
       nullptr},
      // Read after the record files, by the start-up itself.
      {envkey::CurrentRecord, nullptr, [this](W p, S) { WriteInteger(p, envkey::CurrentRecord, CurrentIndex()); },
       nullptr},
      {envkey::BarType,
       [this, bar](P p, S) {
         ComboBox2->setCurrentIndex(ReadIndex(p, envkey::BarType, 0, kBarTypeCount - 1));
         bar->SetBarType(static_cast<TBarTypes>(ComboBox2->currentIndex()));
       },
       [this](W p, S) { WriteInteger(p, envkey::BarType, ComboBox2->currentIndex()); },
       [this] { ComboBox2->setCurrentIndex(cbarJAN); }},
      startStop(envkey::StartChar, ComboBox3, &TBarImage::SetStartChar),
      startStop(envkey::StopChar, ComboBox4, &TBarImage::SetStopChar),
      check(envkey::SymbolDisp, CheckBox2, [bar](bool on) { bar->SetSymbolDisp(on); }),
      check(envkey::CheckDigit, CheckBox1, [bar](bool on) { bar->SetCD(on); }),
      check(envkey::ClipWatch, CheckBox3,
            [this, bar](bool on) {
              bar->SetClipWatch(on);
              Button12->setEnabled(!on);
            }),
      spinner(envkey::Scale),
      spinner(envkey::Frame),
      [&] {
        TFrameSetting row = choice(envkey::DisplayFormat, ComboBox5, 1, nullptr);
        row.Design = [this] { ComboBox5->setCurrentIndex(0); };
        return row;
      }(),
      spinner(envkey::BarHeight),
      spinner(envkey::SpaceUp),
      spinner(envkey::SpaceDown),
      spinner(envkey::SpaceLeft),
      spinner(envkey::SpaceRight),
      [&] {
        TFrameSetting row = choice(envkey::CopyMethod, ComboBox6, 2,
                                   [bar](int v) { bar->SetBarPicture(static_cast<TPictures>(v)); });
        row.Design = [this] { ComboBox6->setCurrentIndex(0); };
        return row;
      }(),
      spinner(envkey::ElementRatio),
      spinner(envkey::PrintCopies),
      spinner(envkey::PrintScale),
      {envkey::BarColor, [bar](P p, S) { bar->SetBarColor(ReadInteger(p, envkey::BarColor)); },
       [bar](W p, S) { WriteInteger(p, envkey::BarColor, bar->BarColor()); }, nullptr},
      {envkey::BackColor, [bar](P p, S) { bar->SetBackColor(ReadInteger(p, envkey::BackColor)); },
       [bar](W p, S) { WriteInteger(p, envkey::BackColor, bar->BackColor()); }, nullptr},
      {envkey::OrgHeight,
       [this](P p, S) {
         const TUpDown *height = SpinnerFor(envkey::BarHeight).Spinner->UpDown();
         OrgHeight = ReadIndex(p, envkey::OrgHeight, height->Min(), height->Max());
       },
       [this](W p, S) { WriteInteger(p, envkey::OrgHeight, OrgHeight); },
       [this, bar] { OrgHeight = bar->BarHeight(); }},
      {envkey::ActualSizeSwitch, [this](P p, S) { ActualSizeSwitch = ReadBool(p, envkey::ActualSizeSwitch); },
       [this](W p, S) { WriteBool(p, envkey::ActualSizeSwitch, ActualSizeSwitch); },
       [this] { ActualSizeSwitch = false; }},
      spacing(envkey::RowSpacing, RowSpacing, Panel7, "行間隔 = ", 10),
      spacing(envkey::ColumnSpacing, ColumnSpacing, Panel8, "列間隔 = ", 0),
      {envkey::SortKey,
       [this](P p, S) {
         const int key = ReadInteger(p, envkey::SortKey);  // anything else: codes
         SortKey = (key == skCommentUp || key == skCommentDown) ? static_cast<TSortKey>(key) : skCode;
       },
       [this](W p, S) { WriteInteger(p, envkey::SortKey, SortKey); }, [this] { SortKey = skCode; }},
      // Stored as 1 for descending, 0 for ascending.
      {envkey::SortDirection,
       [this](P p, S) { SortDirection = ReadInteger(p, envkey::SortDirection) == 1 ? -1 : 1; },
       [this](W p, S) { WriteInteger(p, envkey::SortDirection, SortDirection == -1 ? 1 : 0); },
       [this] { SortDirection = 1; }},
      {envkey::FontName,
       [&font](P p, S) { font.Font.setFamily(SjisToUnicode(ReadText(p, envkey::FontName, kMaxFontNameBytes))); },
       [&font](W p, S) { p.WriteString(Sjis(envkey::FontName), UnicodeToSjis(font.Font.family())); }, nullptr},
      {envkey::FontSize,
       [this, &font](P p, S) {
         SetFontSizePoints(font.Font, ReadIndex(p, envkey::FontSize, kMinFontPoints, kMaxFontPoints), logicalDpiY());
       },
       [this, &font](W p, S) { WriteInteger(p, envkey::FontSize, FontSizePoints(font.Font, logicalDpiY())); },
       nullptr},
      {envkey::FontStyle,
       [&font](P p, S) {
         const TFontStyles styles = p.ReadFontStyle(Sjis(envkey::FontStyle));
         font.Font.setBold(styles.Contains(fsBold));
         font.Font.setItalic(styles.Contains(fsItalic));
         font.Font.setUnderline(styles.Contains(fsUnderline));
         font.Font.setStrikeOut(styles.Contains(fsStrikeOut));
       },
       [&font](W p, S) {
         TFontStyles styles;
         if (font.Font.bold()) styles.Include(fsBold);
         if (font.Font.italic()) styles.Include(fsItalic);
         if (font.Font.underline()) styles.Include(fsUnderline);
         if (font.Font.strikeOut()) styles.Include(fsStrikeOut);
         p.WriteFontStyle(Sjis(envkey::FontStyle), styles);
       },
       nullptr},
      {envkey::FontColor, [&font](P p, S) { font.Color = ReadInteger(p, envkey::FontColor); },
       [&font](W p, S) { WriteInteger(p, envkey::FontColor, font.Color); }, nullptr},
      {envkey::SaveDir, [this](P p, S) { SaveDir = SjisToUnicode(ReadText(p, envkey::SaveDir, kMaxPathBytes)); },
       [this](W p, S) { p.WriteString(Sjis(envkey::SaveDir), UnicodeToSjis(SaveDir)); },
       [this] { SaveDir.clear(); }},
  };
}

QString SettingProblem(const char *key, const std::exception &error) {
  if (dynamic_cast<const ESettingOutOfRange *>(&error)) return QString::fromUtf8(error.what());
  return QStringLiteral("「%1」の値を読み込めませんでした（%2）。").arg(QString::fromUtf8(key), SjisToUnicode(error.what()));
}

ESettingOutOfRange::ESettingOutOfRange(const char *key, const std::string &value, int low, int high, bool length)
    : std::runtime_error(
          (length ? QStringLiteral("「%1」の値「%2」は長すぎます（%3 バイトまで）。")
                        .arg(QString::fromUtf8(key), SjisToUnicode(value))
                        .arg(high)
                  : QStringLiteral("「%1」の値「%2」は %3～%4 の範囲にありません。")
                        .arg(QString::fromUtf8(key), SjisToUnicode(value))
                        .arg(low)
                        .arg(high))
              .toStdString()) {}

void TFrameForm::ApplyDesignSettings() {
  for (const TFrameSetting &row : SettingsTable())
    if (row.Design) row.Design();
  ReadmeScroll(BarImage1->BarType());
}

// Reads every key in table order; a key that cannot be read keeps its design-time value
// and is reported.
void TFrameForm::RestoreSettings(QStringList &problems) {
  TSettingsPass pass{geometry(), false};
  for (const TFrameSetting &row : SettingsTable()) {
    if (!row.Restore) continue;
    try {
      row.Restore(*Parameter1, pass);
    } catch (const std::exception &error) {
      problems << SettingProblem(row.Key, error);
    }
  }
  BarImage1->SetBarFont(&FontDialog1Font);
  ComboBox2Change(BarImage1->BarType());
}

void TFrameForm::WriteSettings(TParameter &p) {
  TSettingsPass pass{QRect(), p.Count() == 0};
  if (pass.NewFile) p.Add(Sjis(kEnvironmentHeader));
  for (const TFrameSetting &row : SettingsTable()) row.Save(p, pass);
}

}  // namespace plomix
