// velmora-encode --wav: the sound of a Morse or Morse 2 coding as a WAV file.
#pragma once

#include <optional>

namespace velmora::cli {

// Runs the command when its arguments ask for a sound (--wav, --wpm,
// --farnsworth or --tone before any "--"), and returns its exit status;
// returns nothing for every other command line, which the caller handles.
std::optional<int> runWavCommand(int argc, char **argv);

// The paragraph of --help on the sound options.
const char *wavHelpText();

} // namespace velmora::cli
