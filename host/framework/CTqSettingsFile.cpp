// The host's settings store on a JSON file.
#include "CTqSettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>

void CTqSettingsFile::Open(const QString& path)
{
    m_path = path;
    m_sections = {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (document.isObject())
        m_sections = document.object();
}

void CTqSettingsFile::Close()
{
    m_path.clear();
    m_sections = {};
}

bool CTqSettingsFile::Get(const QString& section, const QString& key, QString& value) const
{
    const QJsonValue entry = m_sections.value(section).toObject().value(key);
    if (!entry.isString())
        return false;
    value = entry.toString();
    return true;
}

bool CTqSettingsFile::Set(const QString& section, const QString& key, const QString& value)
{
    QJsonObject keys = m_sections.value(section).toObject();
    keys.insert(key, value);
    m_sections.insert(section, keys);
    return Save();
}

bool CTqSettingsFile::Remove(const QString& section, const QString& key)
{
    QJsonObject keys = m_sections.value(section).toObject();
    if (!keys.contains(key))
        return true;
    keys.remove(key);
    m_sections.insert(section, keys);
    return Save();
}

bool CTqSettingsFile::Save() const
{
    if (m_path.isEmpty())
        return true;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(m_sections).toJson(QJsonDocument::Indented));
    return file.commit();
}
