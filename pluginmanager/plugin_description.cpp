// Reading plugin description files with Qt's DOM classes.
#include "pluginmanager/plugin_description.h"

#include <QDomDocument>
#include <QFileInfo>

namespace {

// The length of the host's module version suffix "_4.01_14".
constexpr int kVersionSuffixLength = 8;

// Reads one element of a description, logging what is missing. Failures of required elements
// make the whole description fail; optional ones only warn.
class ElementReader {
public:
    ElementReader(const DescriptionLogger& log) : m_log(log) {}

    // The child element of that name, or a null element after logging code 1002.
    QDomElement Child(const QDomElement& parent, const QString& name, bool optional)
    {
        const QDomElement element = parent.firstChildElement(name);
        if (element.isNull())
            Fail(1002, name, optional);
        return element;
    }

    // The text of the child element: the value of its first child node. False when the element
    // is missing (1002) or holds no text (1000).
    bool Text(const QDomElement& parent, const QString& name, bool optional, QString& text)
    {
        const QDomElement element = Child(parent, name, optional);
        if (element.isNull())
            return optional;
        return ElementText(element, name, optional, text);
    }

    bool ElementText(const QDomElement& element, const QString& name, bool optional, QString& text)
    {
        const QDomNode first = element.firstChild();
        if (first.isNull() || first.nodeValue().isEmpty()) {
            Fail(1000, name, optional);
            return optional;
        }
        text = first.nodeValue();
        return true;
    }

    void Fail(int code, const QString& argument, bool optional)
    {
        m_log(code, argument, optional);
        if (!optional)
            m_failed = true;
    }

    bool Failed() const { return m_failed; }

private:
    const DescriptionLogger& m_log;
    bool m_failed = false;
};

void ReadSettings(ElementReader& reader, const QDomElement& settings, PluginRecord& record)
{
    for (QDomElement property = settings.firstChildElement(QStringLiteral("property")); !property.isNull();
         property = property.nextSiblingElement(QStringLiteral("property"))) {
        bool complete = true;
        for (const char* attribute : {"name", "value"}) {
            if (!property.hasAttribute(QLatin1String(attribute))) {
                reader.Fail(1001, QStringLiteral("property:") + QLatin1String(attribute), false);
                complete = false;
            }
        }
        if (!complete)
            continue;
        const QString name = property.attribute(QStringLiteral("name"));
        const QString value = property.attribute(QStringLiteral("value"));
        if (name == QLatin1String("MFC")) {
            bool isNumber = false;
            const int number = value.trimmed().toInt(&isNumber);
            if (!isNumber)
                reader.Fail(1010, value, true);
            record.needsMfc = isNumber && number == 1;
            continue;
        }
        record.settings.insert(name, value);
    }
}

void ReadModules(ElementReader& reader, const QDomElement& modules, PluginRecord& record)
{
    for (QDomElement element = modules.firstChildElement(QStringLiteral("module")); !element.isNull();
         element = element.nextSiblingElement(QStringLiteral("module"))) {
        QString fileName;
        if (!reader.ElementText(element, QStringLiteral("module"), true, fileName) || fileName.isEmpty())
            continue;
        PluginModule module;
        if (!ModuleKindOfFile(fileName, module.kind)) {
            reader.Fail(1020, QFileInfo(fileName).fileName(), true);
            continue;
        }
        module.fileName = fileName;
        module.name = module.kind == ModuleKind::Tx ? TxModuleName(fileName) : fileName;
        module.onLoad = element.attribute(QStringLiteral("onLoad")).compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
        record.modules.push_back(module);
    }
}

void ReadUserInterface(ElementReader& reader, const QDomElement& userInterface, PluginRecord& record)
{
    for (QDomElement element = userInterface.firstChildElement(QStringLiteral("load")); !element.isNull();
         element = element.nextSiblingElement(QStringLiteral("load"))) {
        QString fileName;
        if (reader.ElementText(element, QStringLiteral("load"), true, fileName) && !fileName.isEmpty())
            record.userInterfaceFiles << fileName;
    }
}

}  // namespace

bool ModuleKindOfFile(const QString& fileName, ModuleKind& kind)
{
    const QString suffix = QFileInfo(fileName).suffix().toUpper();
    if (suffix == QLatin1String("ARX"))
        kind = ModuleKind::Arx;
    else if (suffix == QLatin1String("LSP") || suffix == QLatin1String("MNL"))
        kind = ModuleKind::Lisp;
    else if (suffix == QLatin1String("DLL"))
        kind = ModuleKind::Dll;
    else if (suffix == QLatin1String("TX"))
        kind = ModuleKind::Tx;
    else
        return false;
    return true;
}

QString TxModuleName(const QString& fileName)
{
    QString base = QFileInfo(fileName).fileName();
    base.chop(3);  // ".tx"
    base.chop(kVersionSuffixLength);
    return base;
}

bool ReadPluginDescription(const QByteArray& xml, HostMode mode, const QString& pluginsFolder, PluginRecord& record,
                           const DescriptionLogger& log)
{
    QDomDocument document;
    if (!document.setContent(xml))
        return false;
    const QDomElement plugin = document.elementsByTagName(QStringLiteral("plugin")).item(0).toElement();
    if (plugin.isNull())
        return false;

    ElementReader reader(log);
    reader.Text(plugin, QStringLiteral("name"), false, record.name);
    reader.Text(plugin, QStringLiteral("version"), false, record.version);
    if (const QDomElement author = plugin.firstChildElement(QStringLiteral("author")); !author.isNull()) {
        reader.Text(author, QStringLiteral("name"), true, record.authorName);
        reader.Text(author, QStringLiteral("mail"), true, record.authorMail);
        reader.Text(author, QStringLiteral("website"), true, record.authorWebsite);
    }
    reader.Text(plugin, QStringLiteral("description"), true, record.description);
    reader.Text(plugin, QStringLiteral("logo"), true, record.logo);
    reader.Text(plugin, QStringLiteral("appcasturl"), true, record.appcastUrl);

    if (const QDomElement details = reader.Child(plugin, QStringLiteral("details"), false); !details.isNull()) {
        reader.Text(details, QStringLiteral("core"), false, record.core);
        if (mode != HostMode::Plain)
            reader.Text(details, QStringLiteral("guid"), false, record.guid);
        if (const QDomElement settings = reader.Child(details, QStringLiteral("settings"), true); !settings.isNull())
            ReadSettings(reader, settings, record);
        if (const QDomElement modules = reader.Child(details, QStringLiteral("modules"), true); !modules.isNull())
            ReadModules(reader, modules, record);
        if (const QDomElement ui = reader.Child(details, QStringLiteral("userinterface"), true); !ui.isNull())
            ReadUserInterface(reader, ui, record);
    }

    if (reader.Failed())
        return false;
    for (PluginModule& module : record.modules)
        module.path = pluginsFolder + QLatin1Char('/') + record.folderName + module.fileName;
    return true;
}
