#pragma once

#include "framework/WinApp.h"

// The application: runs the console as its only window and ends when the console closes.
class CConsoleApp : public CWinApp
{
public:
    CConsoleApp();

    bool InitInstance() override;
};

extern CConsoleApp theApp;
