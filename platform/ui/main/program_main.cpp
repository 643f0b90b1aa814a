// The program's entry point: the window layer runs the application object.
#include "ui/winapp.h"

int main(int argc, char** argv) { return AfxWinMain(argc, argv); }
