// zimbrel-cli: Zimbrel's work without a window. It runs the commands that neither draw nor sound
// itself, so they start without loading Qt, FluidSynth, libsndfile or ALSA, and hands chart to
// zimbrel-cli-chart and audio, play and ports to zimbrel-cli-sound.
#include "cli/CommandLine.h"
#include "cli/CommandTable.h"

int main(int argc, char** argv)
{
    return RunCommandLine(argc, argv, ZimbrelCliCommands({}));
}
