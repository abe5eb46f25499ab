// Decisions of the desktop program's start that need no window: the size a screenshot is taken
// at, and the name under which a running program takes files from a second start.
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct CMWindowSize {
    int width;
    int height;
};

// "WIDTHxHEIGHT" in pixels, each from 200 to 10000 ("1280x800"); none for anything else.
std::optional<CMWindowSize> ParseWindowSize(std::string_view text);

// The local socket a running program listens on: one per user and working folder, so programs
// working in different folders (each with its own songs and settings) run side by side.
std::string InstanceName(unsigned userId, std::string_view workingFolder);
