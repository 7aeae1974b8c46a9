#pragma once

#include "WindowsApi.h"

#include <map>
#include <string>
#include <vector>

// The tips of a dialog's drop-down lists: one tooltip window over the lists, which shows the tip
// of the entry each list has chosen.
class ListItemTips
{
public:
    // Sets the tip of entry index of list, a drop-down list of dialog; nothing for an index the
    // list does not have.
    void set(HWND dialog, HWND list, int index, std::wstring tip);
    // Answers the tooltip's request for a text (TTN_GETDISPINFOW); false when the request is
    // about no list with tips.
    bool provideText(NMTTDISPINFOW& request) const;

private:
    void addTool(HWND dialog, HWND list);

    HWND m_tooltip = nullptr; // owned by the dialog, which destroys it with itself
    std::map<HWND, std::vector<std::wstring>> m_tips;
};
