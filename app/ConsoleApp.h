#pragma once

#include "framework/WinApp.h"
#include "output/OutputSettings.h"

// The application: runs the console as its only window and ends when the console closes. The
// command line's --output chooses the output the console opens as it starts.
class CConsoleApp : public CWinApp
{
public:
    CConsoleApp();

    bool InitInstance() override;

private:
    OutputSettings m_startupOutput;
};

extern CConsoleApp theApp;
