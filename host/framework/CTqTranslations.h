// The host's user-interface translations: a table of texts the host maps within a context,
// empty until the host adds to it, and after it the translators installed in the application.
#pragma once

#include <QHash>
#include <QString>

class CTqCodePage;

class CTqTranslations {
public:
    // Adds the translation of source within context, replacing an earlier one.
    void Add(const QString& context, const QString& source, const QString& translation);
    void Clear() { m_table.clear(); }

    // The translation of source within context: the table's, else that of a translator
    // installed in the application, which is asked with both texts as 8-bit strings of the
    // code page. True and the translation when there is one; false when there is none.
    bool Translate(const QString& context, const QString& source, const CTqCodePage& codePage, QString& translation) const;

private:
    static QString Key(const QString& context, const QString& source);
    QHash<QString, QString> m_table;
};
