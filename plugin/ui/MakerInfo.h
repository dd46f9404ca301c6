// Who makes the plug-in: the web domain shown in the dialogs, the site the logo opens, the rights notice.
#pragma once

inline constexpr char kMakerWebDomain[] = "vendrel.example";
inline constexpr char kMakerWebAddress[] = "https://vendrel.example/";
// Two lines, each ending in a line break, closing the About text.
inline constexpr char kMakerRightsNotice[] = "Copyright (c) 2013-2026 The Vendrel developers.\n"
                                             "All rights reserved.\n";
