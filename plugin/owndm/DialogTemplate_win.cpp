#include "DialogTemplate_win.h"

namespace owndm {

namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;

void AppendDword(std::vector<WORD>& words, DWORD value)
{
    words.push_back(LOWORD(value));
    words.push_back(HIWORD(value));
}

void AppendString(std::vector<WORD>& words, const std::wstring& text)
{
    for (const wchar_t c : text)
        words.push_back(WORD(c));
    words.push_back(0);
}

} // namespace

// DLGTEMPLATE (style, extended style, control count, x, y, cx, cy), then no menu, the standard dialog class, the
// caption, and the font's point size and name.
std::vector<WORD> BuildDialogTemplate(const TemplateFrame& frame)
{
    std::vector<WORD> words;
    AppendDword(words, kDialogStyle);
    AppendDword(words, 0);
    words.push_back(0); // controls
    words.push_back(0); // x
    words.push_back(0); // y
    words.push_back(WORD(frame.width));
    words.push_back(WORD(frame.height));
    words.push_back(0); // menu
    words.push_back(0); // class
    AppendString(words, frame.caption);
    words.push_back(frame.pointSize);
    AppendString(words, frame.fontName.empty() ? L"MS Shell Dlg" : frame.fontName);
    return words;
}

} // namespace owndm
