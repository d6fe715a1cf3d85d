// Commands of the workbench itself, for users without a display: MENUS lists the main frame's
// menus and toolbars with their enabled state; PLUGINREPORT prints every plugin a module manages
// with its state flags and log.
#pragma once

// Adds the commands to the host's command stack (group "WORKBENCH").
void RegisterWorkbenchCommands();
void RemoveWorkbenchCommands();
