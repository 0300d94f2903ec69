// The benchmark's report: each figure beside its floor, measured in the same run, the
// ratio between them and the goal, as a table for people and one line per figure for
// scripts ("bench NAME figure=… floor=… ratio=… goal=… met=yes|no").
#pragma once

#include <string>
#include <vector>

// The middle of several measurements (the mean of the two middle ones for an even count).
double Median(std::vector<double> values);

class CBenchTable {
public:
    enum class Goal {
        RatioAtMost,        // figure / floor <= goal
        ExcessAtMost,       // figure - floor <= goal, in the figure's unit
        AtMost,             // figure <= goal; the floor is the least possible
    };

    CBenchTable(int runs, int startRuns) : m_runs(runs), m_startRuns(startRuns) {}

    void Add(std::string name, std::string what, std::string unit, double figure, double floor, Goal kind,
             double goal);
    // Prints the table and the machine-readable lines; returns how many rows missed.
    int Print() const;

private:
    struct Row {
        std::string name;
        std::string what;
        std::string unit;
        double figure;
        double floor;
        Goal kind;
        double goal;
    };
    static double Measure(const Row& row);
    static bool Met(const Row& row);

    int m_runs;
    int m_startRuns;
    std::vector<Row> m_rows;
};
