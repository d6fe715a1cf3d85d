// Where the dynamic linker looks for a module given by bare file name: beside the executable,
// then in each folder of the KELTORA_MODULE_PATH environment variable (separated by ':').
#pragma once

#include <QString>
#include <QStringList>

class CTqModuleSearchPath {
public:
    // The folders searched for a bare name, in order.
    static QStringList Folders();
    // The full path of the module file: a name with a folder part is taken as it stands (made
    // absolute); a bare name is the first existing file in Folders(). Empty when not found.
    static QString Resolve(const QString& fileName);
    // The folder of the running executable; empty when the system does not tell.
    static QString ExecutableFolder();
};
