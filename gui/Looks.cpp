// Eleven looks as colour sets. Each gives the few colours a palette is made from; the rest of
// the palette (lighter and darker shades, disabled text) is derived, as Fusion expects.
#include "gui/Looks.h"

#include "app/ApplicationLook.h"

#include <map>

namespace {

struct Colours {
    const char* style;
    const char* window;
    const char* base;
    const char* text;
    const char* button;
    const char* highlight;
    const char* tabRow;
    const char* panel;
    const char* caption;
    const char* border;
    const char* accent;
};

const std::map<int, Colours>& LookColours()
{
    static const std::map<int, Colours> looks = {
        {205,
         {"Windows", "#d4d0c8", "#ffffff", "#000000", "#d4d0c8", "#0a246a", "#d4d0c8", "#d4d0c8",
          "#404040", "#808080", "#0a246a"}},
        {206,
         {"Fusion", "#f3f3f3", "#ffffff", "#1e1e1e", "#fbfbfb", "#316ac5", "#ececec", "#fbfbfb",
          "#6e6e6e", "#c8c8c8", "#4a4a4a"}},
        {207,
         {"Fusion", "#ece9d8", "#ffffff", "#1b1b1b", "#f5f4ee", "#316ac5", "#c9d7f1", "#f6f5ef",
          "#3a4f7a", "#a5b7d8", "#245edb"}},
        {208,
         {"Fusion", "#d7e5f7", "#ffffff", "#14243b", "#e6effb", "#4a7ebb", "#aac6eb", "#e3eefc",
          "#2d4f84", "#86a8d8", "#3563a9"}},
        {209,
         {"Fusion", "#eeebe1", "#ffffff", "#27241d", "#f6f4ee", "#3169c6", "#e0d9c4", "#f6f4ed",
          "#6b6350", "#c3bba2", "#9c6a30"}},
        {210,
         {"Fusion", "#d6dbe9", "#ffffff", "#1b2233", "#e4e8f1", "#3e6db5", "#bcc7dd", "#e6eaf2",
          "#46526b", "#9aa6c0", "#3f4f72"}},
        {215,
         {"Fusion", "#dfe9f5", "#ffffff", "#15283f", "#e9f0f9", "#3a78c9", "#bfd4ef", "#e6eefa",
          "#3e5f8a", "#9ab6de", "#2b5797"}},
        {216,
         {"Fusion", "#2d2d30", "#1e1e20", "#e8e8e8", "#3a3a3e", "#3d7fd9", "#1c1c1e", "#333337",
          "#a9a9af", "#4a4a50", "#d9822b"}},
        {217,
         {"Fusion", "#e9ebee", "#ffffff", "#202226", "#f2f3f5", "#5b7fa8", "#d2d6dc", "#eef0f3",
          "#5a606a", "#b5bac2", "#5f6b7a"}},
        {218,
         {"Fusion", "#e2eff3", "#ffffff", "#12343d", "#ecf6f8", "#1f93ad", "#bde0e8", "#e9f5f8",
          "#2f6b78", "#93c5d1", "#17839b"}},
        {219,
         {"Fusion", "#f4f7fb", "#ffffff", "#1a1f26", "#fbfcfe", "#2f7bd6", "#ffffff", "#f6f8fb",
          "#6b7686", "#cfd8e3", "#1d5fb3"}},
    };
    return looks;
}

QPalette PaletteFrom(const Colours& colours, bool dark)
{
    const QColor window(colours.window), base(colours.base), text(colours.text);
    const QColor button(colours.button), highlight(colours.highlight);
    QPalette palette(button, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, dark ? base.lighter(125) : window.lighter(104));
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, Qt::white);
    palette.setColor(QPalette::Highlight, highlight);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, dark ? QColor("#3c3c41") : QColor("#fdfdf4"));
    palette.setColor(QPalette::ToolTipText, dark ? QColor("#f0f0f0") : QColor("#202020"));
    palette.setColor(QPalette::PlaceholderText, dark ? QColor("#8a8a8f") : QColor("#8a8a8a"));
    palette.setColor(QPalette::Link, dark ? highlight.lighter(140) : highlight);
    const QColor disabled = dark ? QColor("#77777c") : QColor("#9a9a9a");
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabled);
    palette.setColor(QPalette::Disabled, QPalette::Highlight,
                     dark ? window.lighter(140) : window.darker(130));
    return palette;
}

}  // namespace

CLook LookFor(int id)
{
    const CMLookInfo* info = FindLook(id);
    if (!info)
        info = FindLook(kDefaultLook);
    const Colours& colours = LookColours().at(info->id);
    CLook look;
    look.styleName = QString::fromLatin1(colours.style);
    look.palette = PaletteFrom(colours, info->dark);
    look.ribbon = {QColor(colours.tabRow), QColor(colours.panel),  QColor(colours.caption),
                   QColor(colours.border), QColor(colours.accent), QColor(Qt::white)};
    return look;
}
