// zimbrel-cli-chart: the program of zimbrel-cli that draws, started by zimbrel-cli for chart.
#include "cli/CommandLine.h"
#include "cli/CommandTable.h"

int main(int argc, char** argv)
{
    CliHelperRuns runs;
    runs.chart = RunChartCommand;
    return RunCommandLine(argc, argv, ZimbrelCliCommands(runs));
}
