#pragma once

#include <QString>

class QWidget;

// The application object: the program derives its own, defines it as a global and runs its
// InitInstance once the Qt application exists. Constructing it touches no Qt.
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

    QWidget* m_pMainWnd = nullptr;
    const char* m_pszAppName;
};

// The application object, null before it is constructed.
CWinApp* AfxGetApp();

// The application's name, for captions: the name it was given, else the executable's base name.
QString AfxGetAppName();
