// The Ventrix program.
#include "app/ProgramMain.h"

int main(int argc, char** argv)
{
    return RunVentrix(argc, argv);
}
