// The plugin manager command.
#include "module/CTqCommandAppStore.h"

#include "host/CTqSystemServices.h"
#include "host/TqStatus.h"

#include <QCoreApplication>

short CTqCommandAppStore::execute(OdEdCommandContext* context)
{
    CTqUserIO* userIO = context ? context->userIO() : nullptr;
    if (!userIO)
        return tq::kError;
    // The plugin list has nothing to show until plugins are discovered.
    userIO->Print(QCoreApplication::translate("CTqCommandAppStore", "The plugin manager has no plugins to show yet.\n"));
    return tq::kNormal;
}
