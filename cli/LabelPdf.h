#pragma once
// plomix-cli --sheet: symbols on a label sheet, written as one PDF whose every bar lies
// on the dots of the given resolution; --list-sheets: the sheets Plomix knows.
#include "cli/CliOptions.h"

namespace plomix::cli {

// Prints the shipped sheets, one "name<TAB>layout" line each; returns the exit status.
int ListSheets();

// Draws the copies of the one code, or one label per batch line, into the PDF named by
// -o. Lines that cannot be drawn are reported and take no label. Returns the exit status.
int RunLabelPdf(const CliOptions &options);

}  // namespace plomix::cli
