#include "console/SerialTexts.h"
#include "framework/WinApp.h"

int main(int argc, char* argv[])
{
    installSerialTextSinks();
    return AfxWinMain(argc, argv, ORVANEL_VERSION);
}
