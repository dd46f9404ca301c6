// Messages to the person at the display: the filter's alerts, and a web address the desktop cannot open.
#pragma once

#include <string>

namespace vendrel::dialogwindow {

// A modal message box titled "Vendrel" with an OK button; returns once it is closed.
void showMessageBox(const std::string& message);

// Opens the address in the desktop's browser; a message box says why when it cannot.
void openWebAddress(const std::string& url);

} // namespace vendrel::dialogwindow
