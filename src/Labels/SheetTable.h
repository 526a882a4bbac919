#pragma once
// The label sheets Plomix ships: common A4 layouts as their makers publish them, a
// postcard sheet, the postcard itself and two envelopes, named by layout.
#include <QString>
#include <vector>

#include "Labels/LabelSheet.h"

namespace plomix {

const std::vector<TLabelSheet> &ShippedSheets();

// The shipped sheet or the user's sheet of that name (the user's first); nullptr when
// there is none.
const TLabelSheet *FindSheet(const QString &name, const std::vector<TLabelSheet> &userSheets = {});

}  // namespace plomix
