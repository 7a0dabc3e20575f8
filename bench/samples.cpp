// Timed samples of the benchmarks.
#include "samples.h"

#include <algorithm>
#include <math.h>

double NowMs()
{
    LARGE_INTEGER counter, frequency;
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Percentile(std::vector<double> samples, double share)
{
    if (samples.empty())
        return -1;
    std::sort(samples.begin(), samples.end());
    const size_t rank = static_cast<size_t>(ceil(share * static_cast<double>(samples.size())));
    return samples[std::min(samples.size(), std::max<size_t>(rank, 1)) - 1];
}

std::vector<Statistic> MedianAnd(const std::vector<double>& samples, const char* name, double share)
{
    return { { "median", Percentile(samples, 0.5) }, { name, Percentile(samples, share) } };
}
