// The figures of one benchmark as a table and as JSON.
#include "figure_table.h"

#include <math.h>
#include <stdio.h>

namespace {

// Three significant digits or so: whole numbers as they are, small ones to the hundredth.
std::string Number(double value)
{
    const double magnitude = fabs(value);
    const char* format = "%.2f";
    if (magnitude >= 100 || magnitude == floor(magnitude))
        format = "%.0f";
    else if (magnitude >= 10)
        format = "%.1f";
    char text[32];
    snprintf(text, sizeof text, format, value);
    return text;
}

// "median 148 ms, p95 170 ms"
std::string Readable(const std::vector<Statistic>& statistics, const std::string& unit)
{
    std::string text;
    for (const Statistic& statistic : statistics) {
        if (!text.empty())
            text += ", ";
        if (statistic.name != "value")
            text += statistic.name + " ";
        text += Number(statistic.value);
        if (!unit.empty())
            text += " " + unit;
    }
    return text;
}

std::string Quoted(const std::string& text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        if (static_cast<unsigned char>(c) >= 0x20)
            quoted += c;
    }
    return quoted + "\"";
}

std::string JsonStatistics(const std::vector<Statistic>& statistics)
{
    std::string json = "{";
    for (const Statistic& statistic : statistics) {
        if (json.size() > 1)
            json += ", ";
        char value[32];
        snprintf(value, sizeof value, "%.6g", statistic.value);
        json += Quoted(statistic.name) + ": " + value;
    }
    return json + "}";
}

}  // namespace

const char* BuildArchitecture()
{
    return sizeof(void*) == 4 ? "i686" : "x86_64";
}

void FigureTable::Print() const
{
    printf("\n%s (%s build)\n\n| Figure | Value | Floor |\n|---|---|---|\n", m_benchmark.c_str(), BuildArchitecture());
    for (const Figure& figure : m_figures) {
        std::string name = figure.name;
        if (figure.samples > 0)
            name += " (" + std::to_string(figure.samples) + ")";
        std::string value = figure.value.empty() ? "not measured" : Readable(figure.value, figure.unit);
        if (!figure.note.empty())
            value += " (" + figure.note + ")";
        const std::string floor = figure.floorName.empty() ? ""
                                  : figure.floor.empty()    ? figure.floorName + ": not measured"
                                                            : figure.floorName + ": " + Readable(figure.floor, figure.unit);
        printf("| %s | %s | %s |\n", name.c_str(), value.c_str(), floor.c_str());
    }
    fflush(stdout);
}

bool FigureTable::WriteJson(const std::string& path) const
{
    FILE* file = fopen(path.c_str(), "w");
    if (file == nullptr)
        return false;
    fprintf(file, "{\n  \"benchmark\": %s,\n  \"build\": \"%s\",\n  \"figures\": [", Quoted(m_benchmark).c_str(),
            BuildArchitecture());
    for (size_t i = 0; i < m_figures.size(); ++i) {
        const Figure& figure = m_figures[i];
        fprintf(file, "%s\n    {\"name\": %s, \"unit\": %s, \"samples\": %d, \"value\": %s", i == 0 ? "" : ",",
                Quoted(figure.name).c_str(), Quoted(figure.unit).c_str(), figure.samples,
                figure.value.empty() ? "null" : JsonStatistics(figure.value).c_str());
        if (!figure.floorName.empty())
            fprintf(file, ", \"floor\": {\"name\": %s, \"value\": %s}", Quoted(figure.floorName).c_str(),
                    figure.floor.empty() ? "null" : JsonStatistics(figure.floor).c_str());
        if (!figure.note.empty())
            fprintf(file, ", \"note\": %s", Quoted(figure.note).c_str());
        fputc('}', file);
    }
    fprintf(file, "\n  ]\n}\n");
    return fclose(file) == 0;
}

Figure TimedFigure(std::string name, const std::vector<double>& samples, const char* percentile, double share,
                   std::string floorName, const std::vector<double>& floor)
{
    Figure figure;
    figure.name = std::move(name);
    figure.unit = "ms";
    figure.samples = static_cast<int>(samples.size());
    std::vector<double> measured;
    for (double sample : samples) {
        if (sample >= 0)
            measured.push_back(sample);
    }
    if (!measured.empty())
        figure.value = MedianAnd(measured, percentile, share);
    if (measured.size() < samples.size())
        figure.note = std::to_string(samples.size() - measured.size()) + " did not happen within 10 s";
    if (!floorName.empty()) {
        figure.floorName = std::move(floorName);
        figure.floor = MedianAnd(floor, percentile, share);
    }
    return figure;
}

int Report(const FigureTable& table, int argc, char** argv)
{
    table.Print();
    if (argc > 1 && !table.WriteJson(argv[1])) {
        fprintf(stderr, "could not write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
