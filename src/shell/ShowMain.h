// The show's entry: the fixed start-up order, the menu, the pieces, the credits, and the two
// top-level error handlers. Returns the process exit code.
#pragma once

int showMain(int argc, char** argv);
