// User-interface translations: the host's table, then the application's translators.
#include "CTqTranslations.h"

#include "../os/CTqCodePage.h"

#include <QCoreApplication>

QString CTqTranslations::Key(const QString& context, const QString& source)
{
    // A context never holds the unit 0, so the key is unambiguous.
    return context + QChar(0) + source;
}

void CTqTranslations::Add(const QString& context, const QString& source, const QString& translation)
{
    m_table.insert(Key(context, source), translation);
}

bool CTqTranslations::Translate(const QString& context, const QString& source, const CTqCodePage& codePage,
                                QString& translation) const
{
    const auto found = m_table.constFind(Key(context, source));
    if (found != m_table.constEnd()) {
        translation = found.value();
        return true;
    }
    if (!QCoreApplication::instance())
        return false;
    QByteArray contextBytes;
    QByteArray sourceBytes;
    (void)codePage.Encode(context.toStdU16String(), contextBytes);
    (void)codePage.Encode(source.toStdU16String(), sourceBytes);
    // Without a translation Qt hands back the source read as UTF-8; anything else is one.
    const QString translated = QCoreApplication::translate(contextBytes.constData(), sourceBytes.constData());
    if (translated == QString::fromUtf8(sourceBytes))
        return false;
    translation = translated;
    return true;
}
