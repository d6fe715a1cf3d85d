// Where the dynamic linker looks for a module given by bare file name: the DLL directory while
// one is set, beside the executable, then in each folder of the KELTORA_MODULE_PATH environment
// variable (separated by ':'). A bare name without the module suffix ("Tool") also finds the
// file with the host's version suffix ("Tool_4.01_14.tx").
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
    // The stand-in of the system's DLL search directory: searched first while set; empty goes
    // back to the default search.
    static void SetDllDirectory(const QString& folder);
    static QString DllDirectory();
    // The host's module version suffix with the file suffix: "_4.01_14.tx".
    static QString VersionedSuffix() { return QStringLiteral("_4.01_14.tx"); }
};
