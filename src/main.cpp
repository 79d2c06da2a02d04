// Triptych: the program entry. Everything else lives in the show library.
#include "shell/ShowMain.h"

int main(int argc, char** argv) { return showMain(argc, argv); }
