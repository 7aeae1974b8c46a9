#include "WindowsApi.h"

#include "ListItemTips.h"

void ListItemTips::set(HWND dialog, HWND list, int index, std::wstring tip)
{
    const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    if (index < 0 || index >= count)
        return;
    auto [entry, isNew] = m_tips.try_emplace(list);
    entry->second.resize(static_cast<size_t>(count));
    entry->second[static_cast<size_t>(index)] = std::move(tip);
    if (isNew)
        addTool(dialog, list);
}

void ListItemTips::addTool(HWND dialog, HWND list)
{
    if (!m_tooltip) {
        m_tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                    WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
    }
    // The text is asked for each time the tip shows, so it follows the list's choice. The size
    // without the last field suits every version of the common controls.
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(list);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

bool ListItemTips::provideText(NMTTDISPINFOW& request) const
{
    if (!(request.uFlags & TTF_IDISHWND))
        return false;
    const auto entry = m_tips.find(reinterpret_cast<HWND>(request.hdr.idFrom));
    if (entry == m_tips.end())
        return false;
    const std::vector<std::wstring>& tips = entry->second;
    const LRESULT chosen = SendMessageW(entry->first, CB_GETCURSEL, 0, 0);
    request.szText[0] = L'\0';
    request.lpszText = request.szText;
    // The tooltip copies the text as the notification returns, so the stored tip can be lent.
    if (chosen >= 0 && static_cast<size_t>(chosen) < tips.size())
        request.lpszText = const_cast<wchar_t*>(tips[static_cast<size_t>(chosen)].c_str());
    return true;
}
