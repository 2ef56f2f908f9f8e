// The program's entry point.
#include <windows.h>

#include "codecs/PictureFormats.h"
#include "shell/Startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Pictures are read and written by the class registered for their extension.
    RegisterPictureFormats();
    return ProgramMainBlock();
}
