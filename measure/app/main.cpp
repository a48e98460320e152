// Tessmet, the measurement program.
#include "measure/workspace/TessmetApplication.h"

int main(int argc, char** argv) { return tessmet::RunTessmet(argc, argv); }
