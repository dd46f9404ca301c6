// vendrel-gimp: GIMP starts this program to learn its procedures (query) and to run one (run). Everything the
// filter is comes from the module: the procedure is worked out from its PIPL and AETE, and each run goes
// through the host library exactly as the vendrel command's runs do.
#include <exception>
#include <memory>

#include <gegl.h>
#include <libgimp/gimp.h>

#include "FilterRun.h"
#include "FlattingRun.h"
#include "Locations.h"
#include "Procedure.h"
#include "vendrel/host/SettingsFile.h"

namespace {

std::unique_ptr<vendrel::PluginModule> loadModule()
{
    try {
        return vendrel::PluginModule::load(vendrel::gimp::modulePath());
    } catch (const std::exception& e) {
        g_message("Vendrel: %s", e.what());
        return nullptr;
    }
}

void query()
{
    std::unique_ptr<vendrel::PluginModule> module = loadModule();
    if (module) {
        vendrel::gimp::installProcedure(vendrel::gimp::describeProcedure(*module));
        vendrel::gimp::installProcedure(vendrel::gimp::describeFlattingProcedure(*module));
        vendrel::gimp::installProcedure(vendrel::gimp::describeAboutProcedure(*module));
    }
}

void run(const gchar* name, gint count, const GimpParam* values, gint* returnCount, GimpParam** returnValues)
{
    static GimpParam status[1];
    status[0].type = GIMP_PDB_STATUS;
    status[0].data.d_status = GIMP_PDB_CALLING_ERROR;
    *returnCount = 1;
    *returnValues = status;

    gegl_init(nullptr, nullptr);
    vendrel::ignoreRelativeConfigHome();
    std::unique_ptr<vendrel::PluginModule> module = loadModule();
    if (!module) {
        status[0].data.d_status = GIMP_PDB_EXECUTION_ERROR;
        return;
    }
    if (vendrel::gimp::describeProcedure(*module).name == name) {
        status[0].data.d_status = vendrel::gimp::runProcedure(*module, count, values);
    } else if (vendrel::gimp::describeFlattingProcedure(*module).name == name) {
        status[0].data.d_status = vendrel::gimp::runFlattingProcedure(*module, count, values);
    } else if (vendrel::gimp::describeAboutProcedure(*module).name == name) {
        status[0].data.d_status = vendrel::gimp::runAbout(*module, count, values);
    }
}

const GimpPlugInInfo PLUG_IN_INFO = {nullptr, nullptr, query, run};

} // namespace

MAIN()
