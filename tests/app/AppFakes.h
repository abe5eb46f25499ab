// The windows the command logic talks to, played by the tests: the ribbon's value controls as
// plain maps, and the file commands' window with scripted answers and recorded notices.
#pragma once

#include "app/CMCommandTable.h"
#include "app/CommandIds.h"
#include "app/IMDocumentShell.h"
#include "app/IMRibbonControls.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

// The controls, with the Repeat and Precount lists filled as the ribbon fills them; a slider
// keeps within its range.
class FakeControls : public IMRibbonControls {
public:
    FakeControls()
    {
        for (const std::string& item : RepeatListItems())
            AddItem(CommandId::RepeatList, CMString(item));
        for (const std::string& item : PrecountListItems())
            AddItem(CommandId::PrecountList, CMString(item));
    }
    CMString GetText(int id) const override { return Get(texts, id, CMString()); }
    void SetText(int id, const CMString& text) override { texts[id] = text; }
    void SetRange(int id, int low, int high, int) override { ranges[id] = {low, high}; }
    int GetPosition(int id) const override { return Get(positions, id, 0); }
    void SetPosition(int id, int position) override
    {
        const auto range = ranges.find(id);
        positions[id] = range == ranges.end()
                            ? position
                            : std::clamp(position, range->second.first, range->second.second);
    }
    void RemoveAllItems(int id) override { items[id].clear(); }
    void AddItem(int id, const CMString& text) override { items[id].push_back(text.Str()); }
    int GetItemCount(int id) const override { return static_cast<int>(items.at(id).size()); }
    CMString GetItem(int id, int index) const override
    {
        return index < 0 || index >= GetItemCount(id) ? CMString()
                                                      : CMString(items.at(id)[std::size_t(index)]);
    }
    int GetCurSel(int id) const override { return Get(selections, id, -1); }
    void SetCurSel(int id, int index) override { selections[id] = index; }

    template <typename Value>
    static Value Get(const std::map<int, Value>& values, int id, Value none)
    {
        const auto found = values.find(id);
        return found == values.end() ? none : found->second;
    }

    std::map<int, CMString> texts;
    std::map<int, int> positions;
    std::map<int, std::pair<int, int>> ranges;
    std::map<int, std::vector<std::string>> items;
    std::map<int, int> selections;
};

class ScriptedWindow : public IMDocumentShell {
public:
    void WriteOutput(const CMString& text) override { notices.push_back("output " + text.Str()); }
    void RepaintChart() override {}
    CMString AskOpenPath() override { return CMString(openPath); }
    CMString AskImportPath() override { return CMString(importPath); }
    CMString AskSavePath(const CMString&) override { return CMString(savePath); }
    CMSaveChoice AskSaveChanges(const CMString& title) override
    {
        notices.push_back("save changes to " + title.Str() + "?");
        return saveChoice;
    }
    bool AskReload(const CMString&) override
    {
        notices.push_back("reload?");
        return reload;
    }
    void ShowError(const CMString& message) override { notices.push_back(message.Str()); }
    void DocumentShown(bool reloaded) override
    {
        notices.push_back(reloaded ? "reloaded" : "shown");
    }
    void TitleChanged() override {}
    void RecentFilesChanged(const std::vector<CMString>& paths) override
    {
        recent.clear();
        for (const CMString& path : paths)
            recent.push_back(path.Str());
    }
    void PostCommand(int id) override { notices.push_back("post " + std::to_string(id)); }

    std::vector<std::string> TakeNotices() { return std::exchange(notices, {}); }

    std::string openPath, savePath, importPath;
    CMSaveChoice saveChoice = CMSaveChoice::Cancel;
    bool reload = false;
    std::vector<std::string> notices, recent;
};
