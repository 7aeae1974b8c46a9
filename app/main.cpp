#include "console/OutputNotices.h"
#include "framework/WinApp.h"

int main(int argc, char* argv[])
{
    installOutputNotices();
    return AfxWinMain(argc, argv, ORVANEL_VERSION);
}
