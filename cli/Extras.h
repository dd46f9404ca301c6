// The parts of the command that rest on libraries the Linux build alone has: dialog pictures drawn through
// libvips and OpenRaster files written through libzip. Where they are missing they are refused as a wrong
// command line before any work is done.
#pragma once

#include <string>

#include "vendrel/host/HostImage.h"
#include "vendrel/host/OraFile.h"
#include "vendrel/host/PendingFile.h"

namespace vendrel {

class AdmDialog;

// Throws UsageError naming the command or option when this build draws no dialog pictures.
void checkDialogPictures(const std::string& option);
// Draws the dialog as it stands into a PNG file. Throws HostError.
void drawDialogPicture(AdmDialog& dialog, const std::string& path);

// Whether the output name asks for a layered OpenRaster file (".ora"). Throws UsageError when it does and this
// build writes none.
bool isLayeredOutput(const std::string& path);
// The line art that a layered output keeps, taken from the image before the filter changes it. Throws
// HostError, CancelledError when the cancel probe asks.
OraLineArt keepLayeredLineArt(const HostImage& lineArt);
// Writes the flats under the line art as an OpenRaster file into a pending file. Throws HostError.
void writeLayeredOutput(const HostImage& flats, const OraLineArt& lineArt, PendingFile& file);

// Whether the module draws a dialog of its own, with the platform's controls, for hosts without a dialog
// manager: then a run with --dialog lets it, so that a person sees the platform's own dialog.
bool moduleDrawsNativeDialogs();

// The output names this build writes, for the message that refuses another ("use a name ending in ...").
std::string outputNamesHint();

} // namespace vendrel
