// The filter's procedure in GIMP's procedure database, worked out from the module's PIPL and AETE: its name,
// menu, image types and parameters (run-mode, image, drawable, then one per scripting parameter).
#pragma once

#include <string>
#include <vector>

#include <libgimp/gimp.h>

#include "vendrel/host/PluginModule.h"

namespace vendrel::gimp {

constexpr int kFixedParameters = 3; // run-mode, image, drawable

struct ProcedureParameter {
    GimpPDBArgType type;
    std::string name;
    std::string description;
};

struct Procedure {
    std::string name;      // "plug-in-vendrel"
    std::string menuLabel; // "Vendrel..."
    std::string menuPath;  // "<Image>/Filters/Orvik"
    std::string blurb;
    std::string imageTypes; // "RGB*"; empty for a procedure that needs no image
    std::vector<ProcedureParameter> parameters;
};

// The PDB type that carries a scripting parameter of this terminology type.
GimpPDBArgType pdbTypeFor(uint32_t terminologyType);

Procedure describeProcedure(const PluginModule& module);

// The procedure that shows the filter's About box: "plug-in-vendrel-about", run-mode only, in the same menu.
Procedure describeAboutProcedure(const PluginModule& module);

// The flatting procedure: "plug-in-vendrel-flatting", the filter's parameters followed by closegaps (INT32,
// 0 to 255) and flats (INT32, 0 or 1), in the same menu as "Vendrel Flatting...".
Procedure describeFlattingProcedure(const PluginModule& module);

// Registers the procedure with GIMP (during the plug-in's query).
void installProcedure(const Procedure& procedure);

} // namespace vendrel::gimp
