// Fuzz target: arbitrary bytes as a settings file. Reading must not crash, and a write must
// change only what it was asked to: the written value reads back, every other value reads as
// before, every other line survives in order with its line ending, and the bytes after a NUL are
// kept.
#include "settings/CMIniText.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kEntriesChecked = 40;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// The lines of the stored form that end in a line break (CR LF, LF or a lone CR), each with its
// line break: a write keeps every other line's ending as it was.
std::vector<std::string_view> FinishedLines(std::string_view bytes)
{
    bytes = bytes.substr(0, bytes.find('\0'));
    std::vector<std::string_view> lines;
    for (std::size_t end; (end = bytes.find_first_of("\r\n")) != std::string_view::npos;) {
        end += bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        lines.push_back(bytes.substr(0, end));
        bytes.remove_prefix(end);
    }
    return lines;
}

// Whether the lines before a write stand in the lines after it: a replacement changes one line in
// place; an addition inserts its lines (an entry, maybe a header, maybe the ending of an
// unfinished last line) in one place and moves nothing else.
bool Survives(const std::vector<std::string_view>& before,
              const std::vector<std::string_view>& after, bool replacement)
{
    if (replacement) {
        if (after.size() != before.size())
            return false;
        std::size_t changed = 0;
        for (std::size_t i = 0; i < before.size(); ++i)
            changed += before[i] != after[i];
        return changed <= 1;
    }
    if (after.size() < before.size() || after.size() > before.size() + 3)
        return false;
    std::size_t prefix = 0;
    while (prefix < before.size() && before[prefix] == after[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (prefix + suffix < before.size() &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    return prefix + suffix == before.size();
}

void WriteAndCheck(CMIniText& text, std::string_view input, const CMString& section,
                   const CMString& key)
{
    const std::string before = text.GetFileBytes();
    const std::vector<CMIniEntry> entries = text.GetEntries();
    CMString old;
    const bool existed = text.Find(section.View(), key.View(), old);
    if (!text.WriteString(section.View(), key.View(), "fuzzed value")) {
        Check(text.GetFileBytes() == before);  // refused: nothing changed
        return;
    }
    const std::string after = text.GetFileBytes();
    CMString value;
    Check(text.Find(section.View(), key.View(), value) && value == "fuzzed value");
    // Each look-up walks the text: a few dozen entries show what a write disturbs, fast enough.
    const CMIniText unchanged(before);
    for (std::size_t i = 0; i < entries.size() && i < kEntriesChecked; ++i) {
        const CMIniEntry& entry = entries[i];
        if (entry.section == section && entry.key == key)
            continue;
        CMString was, now;
        if (unchanged.Find(entry.section.View(), entry.key.View(), was))
            Check(text.Find(entry.section.View(), entry.key.View(), now) && now == was);
    }
    Check(Survives(FinishedLines(before), FinishedLines(after), existed));
    const std::size_t nul = input.find('\0');
    if (nul != std::string_view::npos)
        Check(std::string_view(after).ends_with(input.substr(nul)));
    Check(CMIniText(after).GetFileBytes() == after);  // the stored form is stable
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CMIniText text(input);

    // The reads the program makes, and reads of whatever the text holds.
    text.ReadInt("Preferences", "Piano", 1);
    text.ReadDouble("General", "Zoom", 1.0);
    text.ReadString("Account", "Email", CMString());
    const std::vector<CMIniEntry> entries = text.GetEntries();
    for (const CMIniEntry& entry : entries) {
        text.ReadInt(entry.section.View(), entry.key.View(), 0);
        text.ReadDouble(entry.section.View(), entry.key.View(), 0);
    }

    if (!entries.empty())
        WriteAndCheck(text, input, entries.back().section, entries.back().key);
    WriteAndCheck(text, input, "Preferences", "Piano");
    WriteAndCheck(text, input, "Zimbrel", "NewKey");
    return 0;
}
