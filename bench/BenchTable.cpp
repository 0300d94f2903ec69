#include "bench/BenchTable.h"

#include <algorithm>
#include <cstdio>

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void CBenchTable::Add(std::string name, std::string what, std::string unit, double figure, double floor,
                      Goal kind, double goal)
{
    m_rows.push_back({std::move(name), std::move(what), std::move(unit), figure, floor, kind, goal});
}

double CBenchTable::Measure(const Row& row)
{
    switch (row.kind) {
    case Goal::RatioAtMost:
        return row.floor > 0 ? row.figure / row.floor : 0;
    case Goal::ExcessAtMost:
        return row.figure - row.floor;
    case Goal::AtMost:
        break;
    }
    return row.figure;
}

bool CBenchTable::Met(const Row& row)
{
    return Measure(row) <= row.goal + 1e-9;
}

int CBenchTable::Print() const
{
    std::printf("\n%-58s %12s %12s %10s %10s  %s\n", "figure", "measured", "floor", "ratio", "goal", "met");
    int missed = 0;
    for (const Row& row : m_rows) {
        char measure[32];
        char goal[32];
        switch (row.kind) {
        case Goal::RatioAtMost:
            std::snprintf(measure, sizeof measure, "%.2fx", Measure(row));
            std::snprintf(goal, sizeof goal, "<= %.2fx", row.goal);
            break;
        case Goal::ExcessAtMost:
            std::snprintf(measure, sizeof measure, "%+.2f", Measure(row));
            std::snprintf(goal, sizeof goal, "<= +%.2f", row.goal);
            break;
        case Goal::AtMost:
            std::snprintf(measure, sizeof measure, "-");
            std::snprintf(goal, sizeof goal, "<= %g", row.goal);
            break;
        }
        const bool met = Met(row);
        missed += met ? 0 : 1;
        std::printf("%-58s %9.2f %-2s %9.2f %-2s %10s %10s  %s\n", row.what.c_str(), row.figure, row.unit.c_str(),
                    row.floor, row.unit.c_str(), measure, goal, met ? "yes" : "NO");
    }
    std::printf("(each timed figure is the median of %d runs, start-up of %d, the panel's and its floor's in turns)\n\n",
                m_runs, m_startRuns);
    for (const Row& row : m_rows) {
        std::printf("bench %s figure=%.3f floor=%.3f %s=%.3f goal=%.3f met=%s\n", row.name.c_str(), row.figure,
                    row.floor, row.kind == Goal::ExcessAtMost ? "excess" : "ratio",
                    row.kind == Goal::AtMost ? row.figure : Measure(row), row.goal, Met(row) ? "yes" : "no");
    }
    return missed;
}
