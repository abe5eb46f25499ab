// The command route: targets kept in layer order.
#include "app/CMCommandRouter.h"

#include <algorithm>

void CMCommandRouter::AddTarget(CMCommandLayer layer, IMCommandTarget& target)
{
    const auto after = std::upper_bound(
        m_targets.begin(), m_targets.end(), layer,
        [](CMCommandLayer value, const Entry& entry) { return value < entry.layer; });
    m_targets.insert(after, Entry{layer, &target});
}

void CMCommandRouter::RemoveTarget(const IMCommandTarget& target)
{
    std::erase_if(m_targets, [&target](const Entry& entry) { return entry.target == &target; });
}

bool CMCommandRouter::Execute(int id)
{
    for (const Entry& entry : m_targets) {
        if (entry.target->OnCommand(id))
            return true;
    }
    return false;
}

CMCommandUI CMCommandRouter::Update(int id) const
{
    for (const Entry& entry : m_targets) {
        CMCommandUI ui;
        if (entry.target->OnUpdateCommand(id, ui))
            return ui;
    }
    return CMCommandUI{false, false};
}
