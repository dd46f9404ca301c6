#include "Procedure.h"

#include <cctype>

#include "PIActions.h"

namespace vendrel::gimp {

namespace {

// "Vendrel..." gives "vendrel": the letters and digits of the menu name, lower-cased.
std::string procedureStem(const std::string& menuName)
{
    std::string stem;
    for (unsigned char c : menuName) {
        if (std::isalnum(c)) {
            stem += char(std::tolower(c));
        }
    }
    return stem;
}

ProcedureParameter runModeParameter()
{
    return {GIMP_PDB_INT32, "run-mode",
            "The run mode { RUN-INTERACTIVE (0), RUN-NONINTERACTIVE (1), RUN-WITH-LAST-VALS (2) }"};
}

// "Vendrel..." without its trailing dots.
std::string productName(const std::string& menuName)
{
    std::string name = menuName;
    while (!name.empty() && name.back() == '.') {
        name.pop_back();
    }
    return name;
}

} // namespace

GimpPDBArgType pdbTypeFor(uint32_t terminologyType)
{
    switch (terminologyType) {
    case typeColor:
        return GIMP_PDB_COLOR;
    case typeInteger:
    case typeBoolean:
        return GIMP_PDB_INT32;
    default:
        return GIMP_PDB_STRING; // paths and texts
    }
}

Procedure describeProcedure(const PluginModule& module)
{
    const PiplInfo& pipl = module.pipl();
    const AeteInfo& aete = module.aete();
    Procedure procedure;
    procedure.name = "plug-in-" + procedureStem(pipl.name);
    procedure.menuLabel = pipl.name;
    procedure.menuPath = "<Image>/Filters/" + pipl.category;
    procedure.blurb = aete.eventName.empty() ? pipl.name : aete.eventName;
    procedure.imageTypes = "RGB*";
    procedure.parameters = {
        runModeParameter(),
        {GIMP_PDB_IMAGE, "image", "Input image"},
        {GIMP_PDB_DRAWABLE, "drawable", "Input drawable"},
    };
    for (const AeteParameter& parameter : aete.parameters) {
        std::string description = parameter.description;
        if (parameter.type == typeBoolean) {
            description += " (0 or 1)";
        } else if (parameter.type == typePath) {
            description += " (a swatch file name, \"\" for none)";
        }
        procedure.parameters.push_back({pdbTypeFor(parameter.type), parameter.name, description});
    }
    return procedure;
}

Procedure describeAboutProcedure(const PluginModule& module)
{
    const Procedure filter = describeProcedure(module);
    Procedure procedure;
    procedure.name = filter.name + "-about";
    procedure.menuLabel = "About " + productName(module.pipl().name) + "...";
    procedure.menuPath = filter.menuPath;
    procedure.blurb = "About " + productName(module.pipl().name);
    procedure.parameters = {runModeParameter()};
    return procedure;
}

Procedure describeFlattingProcedure(const PluginModule& module)
{
    Procedure procedure = describeProcedure(module);
    procedure.name += "-flatting";
    procedure.menuLabel = productName(module.pipl().name) + " Flatting...";
    procedure.blurb = "Flats line art: closes gaps in the lines, fills the areas, gives the lines their areas' colours";
    procedure.parameters.push_back(
        {GIMP_PDB_INT32, "closegaps", "Close gaps in the lines up to this many pixels wide (0 for none, up to 255)"});
    procedure.parameters.push_back(
        {GIMP_PDB_INT32, "flats", "Give every pixel no area took the colour of the nearest filled area (0 or 1)"});
    return procedure;
}

void installProcedure(const Procedure& procedure)
{
    std::vector<GimpParamDef> definitions;
    for (const ProcedureParameter& parameter : procedure.parameters) {
        definitions.push_back({parameter.type, const_cast<gchar*>(parameter.name.c_str()),
                               const_cast<gchar*>(parameter.description.c_str())});
    }
    gimp_install_procedure(procedure.name.c_str(), procedure.blurb.c_str(),
                           "Fills every area of the drawable that matches the chosen colour with a colour of its own.",
                           "Vendrel", "Vendrel", "2026", procedure.menuLabel.c_str(), procedure.imageTypes.c_str(),
                           GIMP_PLUGIN, gint(definitions.size()), 0, definitions.data(), nullptr);
    gimp_plugin_menu_register(procedure.name.c_str(), procedure.menuPath.c_str());
}

} // namespace vendrel::gimp
