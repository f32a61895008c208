// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zantor::bench {

// A measured benchmark and the baseline it is reported against, by their full names
// ("lookupInMemory/1" for a benchmark with an argument).
struct Ratio {
    std::string name;
    std::string baseline;
};

/// Runs the registered benchmarks as Google Benchmark's own main does, then prints
/// each named benchmark's time as a ratio of its baseline's time in the same run.
int runWithRatios(int argc, char** argv, const std::vector<Ratio>& ratios);

} // namespace zantor::bench
