#pragma once
// What the user chose for printing on labels: plain paper or a sheet, where on the first
// sheet to start, their own sheets, each printer's offsets, and whether bars are drawn on
// the printer's dots. Kept in the environment file as single-line texts.
#include <QString>
#include <map>
#include <optional>
#include <vector>

#include "Labels/LabelPlacement.h"
#include "Labels/LabelSheet.h"

namespace plomix {

struct TLabelSettings {
  bool SnapToDots = true;
  QString Sheet;                 // empty: plain paper, the symbol grid
  int Start = 1;
  std::vector<TLabelSheet> UserSheets;
  std::map<QString, TPrinterOffset> Offsets;  // by printer name

  // The chosen sheet (the user's or a shipped one); nothing for plain paper or a name no
  // longer known.
  std::optional<TLabelSheet> ChosenSheet() const;
  TPrinterOffset OffsetOf(const QString &printer) const;
};

// The user's sheets as "name<TAB>layout<TAB>name<TAB>layout..." and back; entries that do
// not read back are left out and named in `problems`.
QString EncodeUserSheets(const std::vector<TLabelSheet> &sheets);
std::vector<TLabelSheet> DecodeUserSheets(const QString &text, QStringList *problems = nullptr);

// The offsets as "printer<TAB>x<TAB>y..." in µm, and back.
QString EncodeOffsets(const std::map<QString, TPrinterOffset> &offsets);
std::map<QString, TPrinterOffset> DecodeOffsets(const QString &text);

// A name a user sheet may take: not empty, no tab, not a shipped sheet's.
std::optional<QString> SheetNameProblem(const QString &name);

}  // namespace plomix
