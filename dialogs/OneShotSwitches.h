// The switches that do one thing and end the program: associate document types ("-assoc"), add
// spell-check systems ("-iscs") and uninstall ("-ui").
#pragma once

// Runs each of the three switches given on the command line, in that order; true when any was given,
// after which the program ends without a word.
bool RunOneShotSwitches();
