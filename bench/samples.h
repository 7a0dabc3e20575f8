// Timed samples of the benchmarks: a clock, a bounded wait that times what it waits for, and the
// statistics the tables report.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Milliseconds on the performance counter, from an arbitrary start.
double NowMs();

// Milliseconds from since until condition() holds, looking after every pause (0: give the processor
// away and look again at once, for figures of a few milliseconds); a negative number when it did
// not hold within timeoutMs.
template <class Condition>
double MsUntil(Condition condition, double since, DWORD pauseMs = 1, double timeoutMs = 10000)
{
    for (;;) {
        if (condition())
            return NowMs() - since;
        if (NowMs() - since > timeoutMs)
            return -1;
        ::Sleep(pauseMs);
    }
}

// The sample below which share of the samples lie (nearest rank): 0.5 gives the median.
double Percentile(std::vector<double> samples, double share);

// A statistic of a figure, as the tables show it.
struct Statistic {
    std::string name;  // "median", "p95", ... or "value"
    double value;
};

// The median of the samples and the one percentile named ("p95" for 0.95).
std::vector<Statistic> MedianAnd(const std::vector<double>& samples, const char* name, double share);
