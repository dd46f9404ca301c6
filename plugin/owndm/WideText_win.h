// The dialog code's Mac OS Roman texts as the UTF-16 that Windows controls show, and back.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace owndm {

std::wstring WideText(std::string_view macRoman);

// Line breaks as CR LF, the form multi-line static controls and message boxes expect.
std::wstring WideLines(std::string_view macRoman);

// Every '&' doubled, so that a button's label shows it instead of underlining the next character.
std::wstring WideLabel(std::string_view macRoman);

std::string MacRomanText(const std::wstring& wide);

// The text a window shows.
std::wstring WindowText(HWND window);

} // namespace owndm
