// The figures of one benchmark, each beside its floor (what the same measurement gives for the
// least program that could do the job), printed as a Markdown table and written as JSON.
#pragma once

#include "samples.h"

#include <string>
#include <vector>

struct Figure {
    std::string name;
    std::string unit;              // "ms", "bytes", ... ; empty for a count
    int samples = 0;               // how many samples the statistics come from; 0 for one reading
    std::vector<Statistic> value;  // empty when the measurement failed
    std::string floorName;         // empty when the figure has no floor
    std::vector<Statistic> floor;
    std::string note;              // what the reader must know besides
};

class FigureTable {
public:
    explicit FigureTable(std::string benchmark) : m_benchmark(std::move(benchmark)) {}

    void Add(Figure figure) { m_figures.push_back(std::move(figure)); }
    // The table on standard output, one row a figure.
    void Print() const;
    // The figures as JSON in the file at path; false when it could not be written.
    bool WriteJson(const std::string& path) const;

private:
    std::string m_benchmark;
    std::vector<Figure> m_figures;
};

// A figure of timed samples in milliseconds beside the floor's, with the median and one percentile
// ("p95" for share 0.95) of each. Samples that timed out (negative) are left out and counted in the note.
Figure TimedFigure(std::string name, const std::vector<double>& samples, const char* percentile, double share,
                   std::string floorName = "", const std::vector<double>& floor = {});

// The architecture this benchmark was built for, "i686" or "x86_64": each table names it.
const char* BuildArchitecture();

// Prints the table and writes it to the file that the program's first argument names, if any;
// the exit status of the benchmark.
int Report(const FigureTable& table, int argc, char** argv);
