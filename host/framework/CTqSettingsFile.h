// The host's settings store: string values by section and key, kept as one JSON file in the
// host's settings folder. Every change is written at once, through a temporary file, so a crash
// leaves either the old or the new file.
#pragma once

#include <QJsonObject>
#include <QString>

class CTqSettingsFile {
public:
    // Reads the file when it exists; a missing or damaged file starts empty.
    void Open(const QString& path);
    // Forgets the values and detaches from the file; later changes stay in memory.
    void Close();
    const QString& Path() const { return m_path; }

    // False when the section has no such key.
    bool Get(const QString& section, const QString& key, QString& value) const;
    // Stores the value and writes the file; false when the file cannot be written.
    bool Set(const QString& section, const QString& key, const QString& value);
    bool Remove(const QString& section, const QString& key);

private:
    bool Save() const;

    QString m_path;
    QJsonObject m_sections;
};
