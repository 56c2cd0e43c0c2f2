#pragma once

// The ratios of opening a long manual in the program against headless
// chromium showing it, from a run's figures (see RecordingReporter).

#include <map>
#include <string>

void printManualOpenRatios(const std::map<std::string, double>& ms);
