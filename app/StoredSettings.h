// The settings as ./Zimbrel.ini holds them, for the commands that read them once and go: the
// defaults where the file is missing or has no entry.
#pragma once

#include "settings/CMZimbrelIni.h"

CMZimbrelIni LoadStoredSettings();
