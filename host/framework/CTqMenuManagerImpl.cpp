// The main frame's menus and toolbars.
#include "CTqMenuManagerImpl.h"

#include "CTqDesktop.h"

#include <algorithm>

namespace {

CTqUiEntry HostEntry(const char* id, const char* text, const char* command)
{
    CTqUiEntry entry;
    entry.id = CTqString(id);
    entry.text = CTqString(text);
    entry.command = CTqString(command);
    return entry;
}

std::vector<CTqHostMenu> DefaultHostMenus()
{
    return {
        {CTqString("ID_MnFile"), CTqString("&File"), {HostEntry("ID_MnQuit", "&Quit", "QUIT")}},
        {CTqString("ID_MnEdit"), CTqString("&Edit"), {}},
        {CTqString("ID_MnView"), CTqString("&View"), {}},
        // The placeholder entry stands for an extension entry of older hosts; the plugin manager
        // takes it away when it installs its own menus.
        {CTqString("ID_MnTools"),
         CTqString("&Tools"),
         {HostEntry("ID_MnPluginManager", "&Plugin Manager...", "_PLUGINS"),
          HostEntry("ID_MnZiRuvezidoRed", "Extensions (placeholder)", "")}},
        {CTqString("ID_MnHelp"), CTqString("&Help"), {}},
    };
}

template <class Item>
void Replace(std::vector<Item>& items, const Item& item)
{
    auto same = [&](const Item& other) { return other.owner == item.owner && other.name == item.name; };
    if (auto found = std::find_if(items.begin(), items.end(), same); found != items.end())
        *found = item;
    else
        items.push_back(item);
}

QString EnabledText(bool enabled)
{
    return enabled ? QStringLiteral("enabled") : QStringLiteral("disabled");
}

void ListEntries(QString& out, const std::vector<CTqUiEntry>& entries, bool enabled, int depth)
{
    for (const CTqUiEntry& entry : entries) {
        const bool shown = enabled && entry.enabled;
        out += QString(depth * 2, QLatin1Char(' '));
        out += QStringLiteral("%1 [%2]").arg(QString(entry.text.toQString()).remove(QLatin1Char('&')), EnabledText(shown));
        if (!entry.command.isEmpty())
            out += QStringLiteral(" %1").arg(entry.command.toQString());
        out += QLatin1Char('\n');
        ListEntries(out, entry.children, shown, depth + 1);
    }
}

// A command as menus hold it ("^C^C_LINE") as the command line runs it ("_LINE").
QString CommandLineOf(const QString& command)
{
    QString line = command;
    while (line.startsWith(QLatin1String("^C"), Qt::CaseInsensitive))
        line.remove(0, 2);
    return line.trimmed();
}

}  // namespace

CTqMenuManagerImpl::CTqMenuManagerImpl() : m_hostMenus(DefaultHostMenus()) {}

void CTqMenuManagerImpl::SetMenu(const CTqUiMenu& menu)
{
    Replace(m_menus, menu);
}

void CTqMenuManagerImpl::SetToolbar(const CTqUiToolbar& toolbar)
{
    Replace(m_toolbars, toolbar);
}

int CTqMenuManagerImpl::RemoveOwner(const CTqString& owner)
{
    const auto removed = std::erase_if(m_menus, [&](const CTqUiMenu& menu) { return menu.owner == owner; })
        + std::erase_if(m_toolbars, [&](const CTqUiToolbar& toolbar) { return toolbar.owner == owner; });
    return int(removed);
}

int CTqMenuManagerImpl::RemoveMenuEntries(const CTqString& menuId, const CTqString& entryId)
{
    int removed = 0;
    for (CTqHostMenu& menu : m_hostMenus) {
        if (menu.id.compareNoCase(menuId) != 0)
            continue;
        removed += int(std::erase_if(menu.entries,
                                     [&](const CTqUiEntry& entry) { return entry.id.compareNoCase(entryId) == 0; }));
    }
    return removed;
}

void CTqMenuManagerImpl::Reset()
{
    m_hostMenus = DefaultHostMenus();
    m_menus.clear();
    m_toolbars.clear();
    Refresh();
}

void CTqMenuManagerImpl::AttachWindow(QObject* window, std::function<void(const QString&)> runCommand)
{
    m_window = window;
    m_runCommand = std::move(runCommand);
    Refresh();
}

void CTqMenuManagerImpl::Refresh()
{
    CTqDesktop* desktop = CTqDesktop::Current();
    if (!m_window || !desktop)
        return;
    desktop->ShowMenus(m_window, *this, [this](const QString& command) {
        const QString line = CommandLineOf(command);
        if (m_runCommand && !line.isEmpty())
            m_runCommand(line);
    });
}

QString CTqMenuManagerImpl::Listing() const
{
    QString out;
    for (const CTqHostMenu& host : m_hostMenus) {
        out += QStringLiteral("Menu \"%1\" (%2) [enabled]\n").arg(QString(host.text).remove(QLatin1Char('&')), host.id);
        ListEntries(out, host.entries, true, 1);
    }
    for (const CTqUiMenu& menu : m_menus) {
        out += QStringLiteral("Menu \"%1\" of %2, in %3 [%4]\n")
                   .arg(menu.name.toQString(), menu.owner.toQString(),
                        menu.base.isEmpty() ? QStringLiteral("the menu bar") : menu.base.toQString(),
                        EnabledText(menu.enabled));
        ListEntries(out, menu.entries, menu.enabled, 1);
    }
    for (const CTqUiToolbar& toolbar : m_toolbars) {
        out += QStringLiteral("Toolbar \"%1\" of %2 [%3]\n")
                   .arg(toolbar.name.toQString(), toolbar.owner.toQString(), EnabledText(toolbar.enabled));
        ListEntries(out, toolbar.entries, toolbar.enabled, 1);
    }
    return out;
}
