#pragma once
// The settings' ranges live with the plain layout (BarLayout/SettingRanges.h), where
// plomix-cli's toolkit-free part reads them too.
#include "BarLayout/SettingRanges.h"
