// The registry store's tree, its path lookup and its JSON file.
#include "CTqRegistryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>

namespace {

constexpr const char* kRootNames[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS",
                                      "HKEY_CURRENT_CONFIG"};

bool SameName(const QString& left, const QString& right) { return QString::compare(left, right, Qt::CaseInsensitive) == 0; }

// The components of a key path; empty when the path has an empty component inside it. One
// trailing backslash is allowed.
QStringList SplitPath(QString path)
{
    if (path.endsWith(QLatin1Char('\\')))
        path.chop(1);
    const QStringList parts = path.split(QLatin1Char('\\'));
    for (const QString& part : parts)
        if (part.isEmpty())
            return {};
    return parts;
}

bool IsKnownType(int type)
{
    switch (CTqRegistryStore::Type(type)) {
    case CTqRegistryStore::Type::None:
    case CTqRegistryStore::Type::String:
    case CTqRegistryStore::Type::ExpandString:
    case CTqRegistryStore::Type::Binary:
    case CTqRegistryStore::Type::DWord:
    case CTqRegistryStore::Type::DWordBigEndian:
    case CTqRegistryStore::Type::MultiString:
    case CTqRegistryStore::Type::QWord:
        return true;
    }
    return false;
}

}  // namespace

struct CTqRegistryStore::Key {
    struct NamedValue {
        QString name;
        Value value;
    };

    QString name;
    std::vector<NamedValue> values;
    std::vector<std::unique_ptr<Key>> children;

    Key* Child(const QString& childName) const
    {
        for (const auto& child : children)
            if (SameName(child->name, childName))
                return child.get();
        return nullptr;
    }

    NamedValue* FindValue(const QString& valueName)
    {
        for (NamedValue& entry : values)
            if (SameName(entry.name, valueName))
                return &entry;
        return nullptr;
    }

    QJsonObject ToJson() const
    {
        QJsonArray valueArray;
        for (const NamedValue& entry : values) {
            QJsonObject item{{QStringLiteral("name"), entry.name}, {QStringLiteral("type"), int(entry.value.type)}};
            QJsonValue data;
            switch (entry.value.type) {
            case Type::String:
            case Type::ExpandString: data = entry.value.text; break;
            case Type::MultiString: data = QJsonArray::fromStringList(entry.value.strings); break;
            case Type::DWord:
            case Type::DWordBigEndian:
            case Type::QWord: data = QString::number(entry.value.number); break;  // a JSON number would round 64 bits
            case Type::Binary:
            case Type::None: data = QString::fromLatin1(entry.value.bytes.toBase64()); break;
            }
            item.insert(QStringLiteral("data"), data);
            valueArray.append(item);
        }
        QJsonArray keyArray;
        for (const auto& child : children)
            keyArray.append(child->ToJson());
        return {{QStringLiteral("name"), name}, {QStringLiteral("values"), valueArray}, {QStringLiteral("keys"), keyArray}};
    }

    static std::unique_ptr<Key> FromJson(const QJsonObject& object)
    {
        auto key = std::make_unique<Key>();
        key->name = object.value(QStringLiteral("name")).toString();
        for (const QJsonValue& item : object.value(QStringLiteral("values")).toArray()) {
            const QJsonObject entry = item.toObject();
            const int type = entry.value(QStringLiteral("type")).toInt(-1);
            if (!IsKnownType(type))
                continue;
            NamedValue named{entry.value(QStringLiteral("name")).toString(), {}};
            named.value.type = Type(type);
            const QJsonValue data = entry.value(QStringLiteral("data"));
            switch (named.value.type) {
            case Type::String:
            case Type::ExpandString: named.value.text = data.toString(); break;
            case Type::MultiString:
                for (const QJsonValue& text : data.toArray())
                    named.value.strings << text.toString();
                break;
            case Type::DWord:
            case Type::DWordBigEndian:
            case Type::QWord: named.value.number = data.toString().toULongLong(); break;
            case Type::Binary:
            case Type::None: named.value.bytes = QByteArray::fromBase64(data.toString().toLatin1()); break;
            }
            key->values.push_back(std::move(named));
        }
        for (const QJsonValue& child : object.value(QStringLiteral("keys")).toArray()) {
            auto childKey = FromJson(child.toObject());
            if (!childKey->name.isEmpty() && !key->Child(childKey->name))
                key->children.push_back(std::move(childKey));
        }
        return key;
    }
};

CTqRegistryStore::CTqRegistryStore()
{
    for (const char* name : kRootNames) {
        m_roots.push_back(std::make_unique<Key>());
        m_roots.back()->name = QLatin1String(name);
    }
}

CTqRegistryStore::~CTqRegistryStore() = default;

void CTqRegistryStore::Open(const QString& path)
{
    m_path = path;
    for (auto& root : m_roots) {
        root->values.clear();
        root->children.clear();
    }
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    for (const QJsonValue& item : document.object().value(QStringLiteral("roots")).toArray()) {
        auto loaded = Key::FromJson(item.toObject());
        for (auto& root : m_roots) {
            if (SameName(root->name, loaded->name)) {
                loaded->name = root->name;
                root = std::move(loaded);
                break;
            }
        }
    }
}

CTqRegistryStore::Key* CTqRegistryStore::Find(const QString& path) const
{
    const QStringList parts = SplitPath(path);
    if (parts.isEmpty())
        return nullptr;
    Key* key = nullptr;
    for (const auto& root : m_roots)
        if (SameName(root->name, parts.front()))
            key = root.get();
    for (int i = 1; key && i < parts.size(); ++i)
        key = key->Child(parts[i]);
    return key;
}

CTqRegistryStore::Key* CTqRegistryStore::FindOrCreate(const QString& path)
{
    const QStringList parts = SplitPath(path);
    if (parts.isEmpty())
        return nullptr;
    Key* key = nullptr;
    for (const auto& root : m_roots)
        if (SameName(root->name, parts.front()))
            key = root.get();
    for (int i = 1; key && i < parts.size(); ++i) {
        Key* child = key->Child(parts[i]);
        if (!child) {
            key->children.push_back(std::make_unique<Key>());
            child = key->children.back().get();
            child->name = parts[i];
        }
        key = child;
    }
    return key;
}

bool CTqRegistryStore::Read(const QString& key, const QString& name, Value& value) const
{
    Key* found = Find(key);
    if (!found)
        return false;
    const Key::NamedValue* entry = found->FindValue(name);
    if (!entry)
        return false;
    value = entry->value;
    return true;
}

bool CTqRegistryStore::Write(const QString& key, const QString& name, const Value& value)
{
    Key* target = FindOrCreate(key);
    if (!target)
        return false;
    if (Key::NamedValue* entry = target->FindValue(name))
        entry->value = value;
    else
        target->values.push_back({name, value});
    return Save();
}

bool CTqRegistryStore::CreateKey(const QString& key)
{
    return FindOrCreate(key) && Save();
}

bool CTqRegistryStore::DeleteValue(const QString& key, const QString& name)
{
    Key* target = Find(key);
    if (!target)
        return false;
    const auto it = std::find_if(target->values.begin(), target->values.end(),
                                 [&](const Key::NamedValue& entry) { return SameName(entry.name, name); });
    if (it == target->values.end())
        return false;
    target->values.erase(it);
    return Save();
}

bool CTqRegistryStore::DeleteKey(const QString& key)
{
    const QStringList parts = SplitPath(key);
    if (parts.size() < 2)
        return false;
    Key* parent = Find(QStringList(parts.mid(0, parts.size() - 1)).join(QLatin1Char('\\')));
    Key* target = parent ? parent->Child(parts.back()) : nullptr;
    if (!target || !target->children.empty())
        return false;
    parent->children.erase(std::find_if(parent->children.begin(), parent->children.end(),
                                        [&](const std::unique_ptr<Key>& child) { return child.get() == target; }));
    return Save();
}

bool CTqRegistryStore::SubKeyNames(const QString& key, QStringList& names) const
{
    const Key* found = Find(key);
    if (!found)
        return false;
    names.clear();
    for (const auto& child : found->children)
        names << child->name;
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
    return true;
}

bool CTqRegistryStore::ValueNames(const QString& key, QStringList& names) const
{
    const Key* found = Find(key);
    if (!found)
        return false;
    names.clear();
    for (const auto& entry : found->values)
        names << entry.name;
    return true;
}

bool CTqRegistryStore::Save() const
{
    if (m_path.isEmpty())
        return true;
    QJsonArray roots;
    for (const auto& root : m_roots)
        roots.append(root->ToJson());
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return false;
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(QJsonObject{{QStringLiteral("roots"), roots}}).toJson(QJsonDocument::Indented));
    return file.commit();
}
