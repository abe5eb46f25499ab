// The ribbon's two tabs, "Home" and "Others", laid out from the command table's actions.
#pragma once

class CCommandActions;
class CRibbonBar;
class CRibbonControls;

// Adds the tabs, their panels and their elements; the value controls join `controls`.
void BuildRibbonTabs(CRibbonBar& ribbon, const CCommandActions& actions, CRibbonControls& controls);
