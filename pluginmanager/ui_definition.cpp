// User-interface definition files and the registry of installed menus and toolbars.
#include "pluginmanager/ui_definition.h"

#include "host/CTqSystemServices.h"

#include <QDomDocument>

namespace {

constexpr int kMaxDepth = 8;
constexpr int kMaxEntries = 2000;

bool IsTrue(const QDomElement& element, const char* attribute)
{
    return element.attribute(QLatin1String(attribute)).compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

int Integer(const QDomElement& element, const char* attribute)
{
    return element.attribute(QLatin1String(attribute)).toInt(nullptr, 10);
}

// Reads definition references and nested containers (menus in menus, toolbars in toolbars).
void ReadEntries(const QDomElement& container, const QString& nestedTag, const UiDefinitionFile& file, int depth,
                 int& budget, std::vector<CTqUiEntry>& entries)
{
    for (QDomElement child = container.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        if (budget <= 0)
            return;
        if (child.tagName() == QLatin1String("definition_ref")) {
            const auto found = file.definitions.constFind(child.attribute(QStringLiteral("UID")));
            if (found == file.definitions.constEnd())
                continue;
            entries.push_back(*found);
            --budget;
        } else if (child.tagName() == nestedTag && depth < kMaxDepth) {
            CTqUiEntry nested;
            nested.id = child.attribute(QStringLiteral("name"));
            nested.text = nested.id;
            ReadEntries(child, nestedTag, file, depth + 1, budget, nested.children);
            entries.push_back(nested);
            --budget;
        }
    }
}

}  // namespace

bool ParseUiDefinition(const QByteArray& xml, UiDefinitionFile& file)
{
    QDomDocument document;
    if (!document.setContent(xml))
        return false;
    const QDomNodeList groups = document.elementsByTagName(QStringLiteral("group"));
    if (groups.size() != 1)
        return false;
    const QDomElement group = groups.item(0).toElement();
    int budget = kMaxEntries;

    const QDomElement definitions = group.firstChildElement(QStringLiteral("definitions"));
    for (QDomElement element = definitions.firstChildElement(QStringLiteral("definition"));
         !element.isNull() && budget > 0; element = element.nextSiblingElement(QStringLiteral("definition")), --budget) {
        CTqUiEntry entry;
        entry.id = element.attribute(QStringLiteral("id"));
        entry.text = element.attribute(QStringLiteral("name"));
        entry.command = element.attribute(QStringLiteral("command"));
        entry.description = element.attribute(QStringLiteral("description"));
        entry.iconName = element.attribute(QStringLiteral("iconName"));
        entry.smallIconName = element.attribute(QStringLiteral("smallIconName"));
        entry.iconResource = element.attribute(QStringLiteral("iconRecource"));
        file.definitions.insert(entry.id.toQString(), entry);
    }

    const QDomElement menus = group.firstChildElement(QStringLiteral("menus"));
    for (QDomElement element = menus.firstChildElement(QStringLiteral("menu")); !element.isNull();
         element = element.nextSiblingElement(QStringLiteral("menu"))) {
        CTqUiMenu menu;
        menu.name = element.attribute(QStringLiteral("name"));
        menu.type = element.attribute(QStringLiteral("type"));
        menu.base = element.attribute(QStringLiteral("base"));
        ReadEntries(element, QStringLiteral("menu"), file, 1, budget, menu.entries);
        file.menus.push_back(menu);
    }

    const QDomElement toolbars = group.firstChildElement(QStringLiteral("toolbars"));
    for (QDomElement element = toolbars.firstChildElement(QStringLiteral("toolbar")); !element.isNull();
         element = element.nextSiblingElement(QStringLiteral("toolbar"))) {
        CTqUiToolbar toolbar;
        toolbar.name = element.attribute(QStringLiteral("name"));
        toolbar.base = element.attribute(QStringLiteral("base"));
        toolbar.orientation = element.attribute(QStringLiteral("orientation"));
        toolbar.dockRow = Integer(element, "dock_row");
        toolbar.dockColumn = Integer(element, "dock_column");
        toolbar.rows = Integer(element, "rows");
        toolbar.x = Integer(element, "def_x_location");
        toolbar.y = Integer(element, "def_y_location");
        toolbar.onByDefault = IsTrue(element, "on_by_default");
        toolbar.movable = IsTrue(element, "movable");
        ReadEntries(element, QStringLiteral("toolbar"), file, 1, budget, toolbar.entries);
        file.toolbars.push_back(toolbar);
    }
    return true;
}

void UiRegistry::Apply(const QString& plugin, const std::vector<UiDefinitionFile>& files, bool enabled)
{
    m_plugins[plugin] = Installed{files, enabled};
    CTqSystemServices* services = GetTqSystemServices();
    CTqMenuManager* menus = services ? services->MenuManager() : nullptr;
    if (!menus)
        return;
    menus->RemoveOwner(plugin);
    for (const UiDefinitionFile& file : files) {
        for (CTqUiMenu menu : file.menus) {
            menu.owner = plugin;
            menu.enabled = enabled;
            menus->SetMenu(menu);
        }
        for (CTqUiToolbar toolbar : file.toolbars) {
            toolbar.owner = plugin;
            toolbar.enabled = enabled;
            menus->SetToolbar(toolbar);
        }
    }
    menus->Refresh();
}

void UiRegistry::Remove(const QString& plugin)
{
    // The name may be a key of the map itself, which the erase frees.
    const QString name = plugin;
    m_plugins.erase(name);
    CTqSystemServices* services = GetTqSystemServices();
    if (CTqMenuManager* menus = services ? services->MenuManager() : nullptr) {
        if (menus->RemoveOwner(name) > 0)
            menus->Refresh();
    }
}

void UiRegistry::Clear()
{
    while (!m_plugins.empty())
        Remove(m_plugins.begin()->first);
}

bool UiRegistry::Enabled(const QString& plugin) const
{
    const auto found = m_plugins.find(plugin);
    return found != m_plugins.end() && found->second.enabled;
}

CTqUiEntry UiRegistry::Definition(const QString& id, bool* found) const
{
    for (const auto& [plugin, installed] : m_plugins) {
        for (const UiDefinitionFile& file : installed.files) {
            if (const auto entry = file.definitions.constFind(id); entry != file.definitions.constEnd()) {
                if (found)
                    *found = true;
                return *entry;
            }
        }
    }
    if (found)
        *found = false;
    return {};
}
