// The settings file as the program writes it from defaults: the application settings, then the
// chart renderer's fonts and chord style. It names every key Zimbrel keeps, in file order.
#pragma once

#include "settings/CMIniText.h"

CMIniText DefaultSettingsText();
