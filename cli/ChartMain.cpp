// zimbrel-cli-chart: the program of zimbrel-cli that draws, started by zimbrel-cli for chart and
// songbook.
#include "cli/CommandLine.h"
#include "cli/CommandTable.h"

int main(int argc, char** argv)
{
    CliHelperRuns runs;
    runs.chart = RunChartCommand;
    runs.songbook = RunSongbookCommand;
    return RunCommandLine(argc, argv, ZimbrelCliCommands(runs));
}
