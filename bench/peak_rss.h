#pragma once

#include <string>
#include <vector>

// Peak resident memory, in KiB, of a fresh process of this program that runs
// the engine's join of inputs into output and nothing else.
long EnginePeakRssKib(const std::string& self, const std::vector<std::string>& inputs,
                      const std::string& output);

// The entry of that process: `--rss-child OUTPUT INPUT...`. Returns the exit
// status.
int RunRssChild(int argc, char** argv);
