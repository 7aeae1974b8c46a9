#include "WindowsApi.h"

#include "DialogTemplateBuilder.h"
#include "Utf16.h"

#include <charconv>
#include <utility>

namespace {
// Appends the fields of a template: 16- and 32-bit values, strings and ordinals.
class TemplateWriter
{
public:
    void word(WORD value) { m_words.push_back(value); }
    void dword(DWORD value)
    {
        word(LOWORD(value));
        word(HIWORD(value));
    }
    void coordinate(int value) { word(static_cast<WORD>(static_cast<short>(value))); }
    void text(std::string_view utf8)
    {
        for (const wchar_t unit : toUtf16(utf8))
            word(static_cast<WORD>(unit));
        word(0);
    }
    // A resource id in place of a string.
    void ordinal(WORD id)
    {
        word(0xFFFF);
        word(id);
    }
    void alignToDword()
    {
        if (m_words.size() % 2 != 0)
            word(0);
    }
    std::vector<WORD> take() { return std::move(m_words); }

private:
    std::vector<WORD> m_words;
};

const char* windowClass(ControlKind kind)
{
    switch (kind) {
    case ControlKind::PushButton:
        return "Button";
    case ControlKind::Edit:
        return "Edit";
    case ControlKind::Static:
    case ControlKind::Icon:
        return "Static";
    case ControlKind::TrackBar:
        return "msctls_trackbar32";
    case ControlKind::DropDownList:
        return "ComboBox";
    }
    return "Static";
}

// The style that makes a control the kind it is, whatever else its template asks for.
DWORD kindStyle(ControlKind kind)
{
    switch (kind) {
    case ControlKind::DropDownList:
        return CBS_DROPDOWNLIST;
    case ControlKind::Icon:
        return SS_ICON;
    default:
        return 0;
    }
}

// An icon control names its icon by resource id ("128"); the static control loads it from the
// executable when given the id as an ordinal. Other text stays text (a resource name).
void iconTitle(TemplateWriter& out, std::string_view text)
{
    unsigned id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (error == std::errc() && end == text.data() + text.size() && id > 0 && id <= 0xFFFF)
        out.ordinal(static_cast<WORD>(id));
    else
        out.text(text);
}

void writeControl(TemplateWriter& out, const ControlTemplate& control)
{
    out.alignToDword();
    out.dword(0); // help id
    out.dword(0); // extended style
    out.dword(WS_CHILD | WS_VISIBLE | control.style | kindStyle(control.kind));
    out.coordinate(control.x);
    out.coordinate(control.y);
    out.coordinate(control.cx);
    out.coordinate(control.cy);
    out.dword(static_cast<DWORD>(control.id));
    out.text(windowClass(control.kind));
    const std::string_view title = control.text ? control.text : "";
    if (control.kind == ControlKind::Icon)
        iconTitle(out, title);
    else
        out.text(title);
    out.word(0); // no creation data
}
} // namespace

std::vector<WORD> buildDialogTemplate(const DialogTemplate& t)
{
    TemplateWriter out;
    out.word(1);      // version
    out.word(0xFFFF); // extended template
    out.dword(0);     // help id
    out.dword(t.exStyle);
    out.dword(t.style);
    out.word(static_cast<WORD>(t.controls.size()));
    out.coordinate(0);
    out.coordinate(0);
    out.coordinate(t.cx);
    out.coordinate(t.cy);
    out.word(0); // no menu
    out.word(0); // the dialog's own window class
    out.text(t.caption ? t.caption : "");
    if (t.style & DS_SETFONT) {
        out.word(static_cast<WORD>(t.pointSize));
        out.word(FW_NORMAL);
        out.word(MAKEWORD(FALSE, DEFAULT_CHARSET)); // not italic; the face decides the charset
        out.text(t.fontFace ? t.fontFace : "");
    }
    for (const ControlTemplate& control : t.controls)
        writeControl(out, control);
    return out.take();
}
