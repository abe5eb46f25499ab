// The output pane's lists and its banner.
#include "app/CMOutputPane.h"

namespace {

const char* const kLogBaseName = "./Zimbrel";
const char* const kBanner[] = {
    "==================================================", "Zimbrel", "    ver 1.00", " ",
    "==================================================",
};

}  // namespace

CMOutputPane::CMOutputPane()
{
    m_output.logFile.baseName = kLogBaseName;
    m_debug.logFile.baseName = kLogBaseName;
    for (const char* line : kBanner)
        m_output.AddLines(line);
}
