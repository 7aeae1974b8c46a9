#pragma once

#include "CommandLine.h"
#include "Handles.h"

#include <string>
#include <vector>

class CDialog;

// The application object: the program derives its own and defines it as a global; AfxWinMain
// runs its InitInstance once the platform's user interface is ready. Constructing it touches no
// window system.
class CWinApp
{
public:
    // Without a name, the application goes by the executable's base name.
    explicit CWinApp(const char* pszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Runs the application; false ends it.
    virtual bool InitInstance() { return false; }

    CDialog* m_pMainWnd = nullptr;
    const char* m_pszAppName;
    // The id by which the desktop knows the application (its desktop entry, its task-bar
    // grouping); none when null.
    const char* m_pszAppID = nullptr;
    // The options of the application's own command line, taken before InitInstance runs.
    std::vector<CommandLineOption> m_commandLineOptions;
};

// The application object, null before it is constructed.
CWinApp* AfxGetApp();

// The application's name, for captions: the name it was given, else the executable's base name.
std::string AfxGetAppName();

// The icon with the given resource id, in all its sizes; null for an unknown id. Icons live as
// long as the process.
HICON AfxLoadIcon(int nIDResource);

// The program's entry: answers the command line (AfxAnswerCommandLine), or readies the platform's
// user interface, runs the application object's InitInstance and returns the process's exit
// status. versionText is what the program reports as its version.
int AfxWinMain(int argc, char* argv[], const char* versionText);
