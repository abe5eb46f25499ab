// zimbrel-cli-sound: the program of zimbrel-cli that sounds, started by zimbrel-cli for audio,
// play and ports.
#include "cli/CommandLine.h"
#include "cli/CommandTable.h"

int main(int argc, char** argv)
{
    CliHelperRuns runs;
    runs.audio = RunAudioCommand;
    runs.play = RunPlayCommand;
    runs.ports = RunPortsCommand;
    return RunCommandLine(argc, argv, ZimbrelCliCommands(runs));
}
