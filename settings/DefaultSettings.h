// The settings file as the program writes it from defaults: every row of the settings table with
// its default, in the table's order (the application settings, then the chart renderer's fonts
// and chord style). The settings classes start from it.
#pragma once

#include "settings/CMIniText.h"

const CMIniText& DefaultSettingsText();
