// The settings as ./Zimbrel.ini holds them: see StoredSettings.h.
#include "app/StoredSettings.h"

CMZimbrelIni LoadStoredSettings()
{
    CMZimbrelIni settings;
    settings.Load();
    return settings;
}
