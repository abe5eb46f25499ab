// The looks' table and the rule for identifiers that name no look of their own.
#include "app/ApplicationLook.h"

#include <algorithm>

const std::vector<CMLookInfo>& ApplicationLooks()
{
    static const std::vector<CMLookInfo> looks = {
        {205, "Classic", "Bevelled grey controls\nClassic", false},
        {206, "Paper", "Flat white and grey\nPaper", false},
        {207, "Sky", "Light with blue tabs\nSky", false},
        {208, "Ocean", "Soft blue\nOcean", false},
        {209, "Sand", "Warm beige\nSand", false},
        {210, "Slate", "Cool blue-grey\nSlate", false},
        {215, "Blue", "Light, with a blue ribbon\nBlue", false},
        {216, "Black", "Dark, with a black ribbon\nBlack", true},
        {217, "Silver", "Light, with a silver ribbon\nSilver", false},
        {218, "Aqua", "Light, with an aqua ribbon\nAqua", false},
        {219, "Glass", "Bright, with a clear ribbon\nGlass", false},
    };
    return looks;
}

const CMLookInfo* FindLook(int id)
{
    const std::vector<CMLookInfo>& looks = ApplicationLooks();
    const auto found = std::find_if(looks.begin(), looks.end(),
                                    [id](const CMLookInfo& look) { return look.id == id; });
    return found == looks.end() ? nullptr : &*found;
}

int LookToApply(int requested, int current)
{
    if (requested >= 211 && requested <= 214)
        return current >= 215 && current <= 218 ? current : 215;
    return FindLook(requested) ? requested : kDefaultLook;
}
