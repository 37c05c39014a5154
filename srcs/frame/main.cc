#include "frame/startup.h"

int main(int argc, char** argv) { return runDaemon(argc, argv); }
