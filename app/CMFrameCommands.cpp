// The frame's commands and their states.
#include "app/CMFrameCommands.h"

#include "app/ApplicationLook.h"
#include "app/CommandIds.h"

namespace {

bool IsLookCommand(int id)
{
    return id >= CommandId::LookFirst && id <= CommandId::LookLast;
}

}  // namespace

std::optional<CMPane> CMFrameCommands::PaneOf(int id)
{
    switch (id) {
    case CommandId::ViewSongView: return CMPane::SongView;
    case CommandId::ViewMusicianView: return CMPane::MusicianView;
    case CommandId::ViewNetworkView: return CMPane::NetworkView;
    case CommandId::ViewOutput: return CMPane::Output;
    case CommandId::ViewProperties: return CMPane::Properties;
    default: return std::nullopt;
    }
}

void CMFrameCommands::StartLook(std::optional<int> stored)
{
    m_look = LookToApply(stored.value_or(kDefaultLook), kDefaultLook);
    m_shell.ApplyLook(m_look);
}

bool CMFrameCommands::OnCommand(int id)
{
    if (const std::optional<CMPane> pane = PaneOf(id)) {
        m_shell.ShowPane(*pane, !m_shell.IsPaneVisible(*pane));
        return true;
    }
    if (IsLookCommand(id)) {
        m_look = LookToApply(id, m_look);
        m_shell.ApplyLook(m_look);
        m_shell.StoreLook(m_look);
        return true;
    }
    switch (id) {
    case CommandId::ViewStatusBar:
        m_shell.ShowStatusBar(!m_shell.IsStatusBarVisible());
        return true;
    case CommandId::AppAbout: m_shell.ShowAbout(); return true;
    case CommandId::HelpTopics: m_shell.ShowHelpTopics(); return true;
    case CommandId::AppExit: m_shell.Exit(); return true;
    default: return false;
    }
}

bool CMFrameCommands::OnUpdateCommand(int id, CMCommandUI& ui) const
{
    if (const std::optional<CMPane> pane = PaneOf(id)) {
        ui.checked = m_shell.IsPaneVisible(*pane);
        return true;
    }
    if (IsLookCommand(id)) {
        ui.checked = id == m_look;
        return true;
    }
    switch (id) {
    case CommandId::ViewStatusBar: ui.checked = m_shell.IsStatusBarVisible(); return true;
    case CommandId::AppAbout:
    case CommandId::HelpTopics:
    case CommandId::AppExit: return true;
    default: return false;
    }
}
