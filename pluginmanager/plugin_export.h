// Marks what the module exports to its dialogs library; everything else stays hidden.
#pragma once

#define PLUGINMANAGER_EXPORT __attribute__((visibility("default")))
