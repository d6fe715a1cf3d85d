// The rules for names of symbol-table records, dictionary keys and applications.
#pragma once

#include <QString>

#include <cstddef>

namespace OdDbSymUtil {

constexpr int kMaxNameLength = 255;

// A name users may give a table record: 1 to 255 characters, none of them a control character
// or one of < > / \ " : ; ? * | , = `, and not only blanks. allowVerticalBar admits "|", which
// names of records that come from external references carry.
bool isValidName(QStringView name, bool allowVerticalBar = false);
// A block name: the same rules, except that a leading "*" marks an anonymous block or a layout.
bool isValidBlockName(QStringView name);
// The key tables and dictionaries compare names by: case does not matter.
inline QString nameKey(const QString& name) { return name.toUpper(); }

// Hashing and comparing names without regard to case, without making an upper-case copy.
struct NameHash {
    std::size_t operator()(const QString& name) const noexcept;
};
struct NameEqual {
    bool operator()(const QString& a, const QString& b) const noexcept
    {
        return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
    }
};

}  // namespace OdDbSymUtil
