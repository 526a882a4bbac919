#pragma once
// A label sheet written as text, for the command line and the settings file:
//   PAPER,COLUMNSxROWS,WIDTHxHEIGHT[,PITCHXxPITCHY[,LEFTxTOP]]
// in millimetres with up to three decimals, PAPER a size name (A3, A4, A5, A6, B4, B5,
// Letter, はがき) or WIDTHxHEIGHT. The pitch defaults to the label's size; without margins
// the grid is centred on the paper.
#include <QString>
#include <optional>

#include "Labels/LabelSheet.h"

namespace plomix {

// The sheet, or nothing with the reason in `error`.
std::optional<TLabelSheet> ParseSheetNotation(const QString &text, QString &error);

// The sheet as text with every field written out (pitch and margins too), so that it
// parses back to the same sheet.
QString FormatSheetNotation(const TLabelSheet &sheet);

// A length in µm as millimetres without trailing zeros ("37.125", "70").
QString FormatMm(int um);

}  // namespace plomix
