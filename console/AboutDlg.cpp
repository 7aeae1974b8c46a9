#include "AboutDlg.h"

#include "res/Resources.h"
#include "res/resource.h"

CAboutDlg::CAboutDlg() : CDialog(dialogTemplate(IDD_ABOUTBOX)) {}
