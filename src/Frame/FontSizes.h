#pragma once
// The point-size helpers moved to Common/ (the data list window uses them too).
#include "Common/FontSizes.h"
