#include "WideText_win.h"

#include <vector>

#include "MacRomanText.h"

namespace owndm {

std::wstring WideText(std::string_view macRoman)
{
    const std::u16string text = Utf16FromMacRoman(macRoman);
    return std::wstring(text.begin(), text.end());
}

std::wstring WideLines(std::string_view macRoman)
{
    std::wstring lines;
    for (const wchar_t c : WideText(macRoman)) {
        if (c == L'\n' && (lines.empty() || lines.back() != L'\r'))
            lines.push_back(L'\r');
        lines.push_back(c);
    }
    return lines;
}

std::wstring WideLabel(std::string_view macRoman)
{
    std::wstring label;
    for (const wchar_t c : WideText(macRoman)) {
        if (c == L'&')
            label.push_back(L'&');
        label.push_back(c);
    }
    return label;
}

std::string MacRomanText(const std::wstring& wide)
{
    return MacRomanFromUtf16(std::u16string(wide.begin(), wide.end()));
}

std::wstring WindowText(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    if (length <= 0)
        return std::wstring();
    std::vector<wchar_t> buffer(size_t(length) + 1);
    const int copied = GetWindowTextW(window, buffer.data(), length + 1);
    return std::wstring(buffer.data(), size_t(copied > 0 ? copied : 0));
}

} // namespace owndm
