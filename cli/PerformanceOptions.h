// The performance options shared by the commands that perform a song (midi, audio, play):
//   --band NAME --tempo N --transpose N --no-piano --no-bass --no-drums --precount N
//   --precount-note N --repeats N --no-intro --no-verse --seed N
#pragma once

#include "app/CMPerformanceSettings.h"

#include <string>
#include <vector>

// The options' help text, with the ranges of the settings table.
std::string PerformanceOptionsHelp();

// Takes the performance option at arguments[index] (and its value) into `performance`. Answers
// the number of arguments taken, 0 when the argument is no performance option, or -1 with a
// message in `error` when it is one but its value is missing or out of range.
int TakePerformanceOption(const std::vector<std::string>& arguments, std::size_t index,
                          CMPerformanceSettings& performance, std::string& error);

// A whole number in [low, high], or false.
bool ParseInteger(const std::string& text, long long low, long long high, long long& value);
