// The host's registry store: a tree of keys under the five root keys (HKEY_CLASSES_ROOT,
// HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS, HKEY_CURRENT_CONFIG), each key holding
// named values of a registry type. Key paths are separated by backslashes; names compare without
// regard to case and keep the case they were made with. The whole tree lives in one JSON file;
// every change is written at once through a temporary file, so a failed write leaves the
// previous file as it was.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

class CTqRegistryStore {
public:
    // Registry value types, numbered as the Windows registry numbers them.
    enum class Type : int {
        None = 0,
        String = 1,
        ExpandString = 2,
        Binary = 3,
        DWord = 4,
        DWordBigEndian = 5,
        MultiString = 7,
        QWord = 11,
    };

    struct Value {
        Type type = Type::None;
        QString text;          // String, ExpandString
        QStringList strings;   // MultiString
        std::uint64_t number = 0;  // DWord, DWordBigEndian (low 32 bits), QWord
        QByteArray bytes;      // Binary, None
    };

    CTqRegistryStore();
    ~CTqRegistryStore();
    CTqRegistryStore(const CTqRegistryStore&) = delete;
    CTqRegistryStore& operator=(const CTqRegistryStore&) = delete;

    // Reads the file when it exists (a missing or damaged file starts an empty tree) and writes
    // every later change to it. An empty path keeps the tree in memory only.
    void Open(const QString& path);
    const QString& Path() const { return m_path; }

    // The value named `name` of the key ("" is the key's default value). False when the key or
    // the value does not exist.
    bool Read(const QString& key, const QString& name, Value& value) const;
    // Stores the value, making the key and its parents as needed. False for a path outside the
    // root keys or when the file cannot be written.
    bool Write(const QString& key, const QString& name, const Value& value);
    // Makes the key and its parents; true when it exists afterwards and the file was written.
    bool CreateKey(const QString& key);
    // Removes one value; false when it did not exist.
    bool DeleteValue(const QString& key, const QString& name);
    // Removes a key with its values. A key with subkeys and a root key are refused.
    bool DeleteKey(const QString& key);
    // Names of the subkeys (sorted without regard to case) or of the values (in the order they
    // were made). False when the key does not exist.
    bool SubKeyNames(const QString& key, QStringList& names) const;
    bool ValueNames(const QString& key, QStringList& names) const;

private:
    struct Key;

    Key* Find(const QString& path) const;
    Key* FindOrCreate(const QString& path);
    bool Save() const;

    QString m_path;
    std::vector<std::unique_ptr<Key>> m_roots;
};
