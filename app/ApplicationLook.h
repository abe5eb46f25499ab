// The program's looks: eleven visual styles with the command identifiers 205 to 210 and 215 to
// 219, one of them (216, "Black") the default. The identifier is what is stored; which look a
// stored value gives is decided here, free of any window system.
#pragma once

#include <vector>

struct CMLookInfo {
    int id;
    const char* caption;
    const char* prompt;  // description "\n" tooltip title
    bool dark;
};

inline constexpr int kDefaultLook = 216;

// The eleven looks in identifier order.
const std::vector<CMLookInfo>& ApplicationLooks();
// The look with `id`; null for any other number.
const CMLookInfo* FindLook(int id);

// The look to show for a chosen or stored identifier, given the current one: 211 to 214 keep
// the colour family of 215 to 218 (the current colour when it is one of them, else blue, 215);
// any other number outside the table gives the default.
int LookToApply(int requested, int current);
