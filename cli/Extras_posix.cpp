#include "Extras.h"

#include "vendrel/host/DialogRenderer.h"
#include "vendrel/host/OraFile.h"

namespace vendrel {

void checkDialogPictures(const std::string&) {}

void drawDialogPicture(AdmDialog& dialog, const std::string& path)
{
    renderDialogToPng(dialog, path);
}

bool isLayeredOutput(const std::string& path)
{
    return isOraName(path);
}

OraLineArt keepLayeredLineArt(const HostImage& lineArt)
{
    return encodeOraLineArt(lineArt);
}

void writeLayeredOutput(const HostImage& flats, const OraLineArt& lineArt, PendingFile& file)
{
    writeOra(flats, lineArt, file);
}

std::string outputNamesHint()
{
    return "use a name ending in .png, .jpg, .tif, .webp or .ora";
}

bool moduleDrawsNativeDialogs()
{
    return false;
}

} // namespace vendrel
