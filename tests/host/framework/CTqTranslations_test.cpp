// The host's user-interface translations: its own table within a context, then the
// application's translators.
#include "host/framework/CTqTranslations.h"
#include "host/os/CTqCodePage.h"

#include <QCoreApplication>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

// A translator that knows one text of one context.
class OneTextTranslator final : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText, const char*, int) const override
    {
        if (QByteArray(context) == "Menu" && QByteArray(sourceText) == "Open")
            return QStringLiteral("Ouvrir");
        return {};
    }
    bool isEmpty() const override { return false; }
};

}  // namespace

TEST(CTqTranslations, AnEmptyTableTranslatesNothing)
{
    const CTqTranslations translations;
    QString translation = QStringLiteral("untouched");
    EXPECT_FALSE(translations.Translate(QStringLiteral("Menu"), QStringLiteral("Close"), CTqCodePage(), translation));
    EXPECT_EQ(translation, QStringLiteral("untouched"));
}

TEST(CTqTranslations, TheTableMapsTextsWithinTheirContext)
{
    CTqTranslations translations;
    translations.Add(QStringLiteral("Menu"), QStringLiteral("Close"), QStringLiteral("Schlie\u00DFen"));
    QString translation;
    ASSERT_TRUE(translations.Translate(QStringLiteral("Menu"), QStringLiteral("Close"), CTqCodePage(), translation));
    EXPECT_EQ(translation, QStringLiteral("Schlie\u00DFen"));
    EXPECT_FALSE(translations.Translate(QStringLiteral("Dialog"), QStringLiteral("Close"), CTqCodePage(), translation));
    translations.Add(QStringLiteral("Menu"), QStringLiteral("Close"), QStringLiteral("Fermer"));
    ASSERT_TRUE(translations.Translate(QStringLiteral("Menu"), QStringLiteral("Close"), CTqCodePage(), translation));
    EXPECT_EQ(translation, QStringLiteral("Fermer"));
    translations.Clear();
    EXPECT_FALSE(translations.Translate(QStringLiteral("Menu"), QStringLiteral("Close"), CTqCodePage(), translation));
}

TEST(CTqTranslations, AnInstalledTranslatorIsAskedAfterTheTable)
{
    OneTextTranslator translator;
    ASSERT_TRUE(QCoreApplication::installTranslator(&translator));
    CTqTranslations translations;
    QString translation;
    EXPECT_TRUE(translations.Translate(QStringLiteral("Menu"), QStringLiteral("Open"), CTqCodePage(), translation));
    EXPECT_EQ(translation, QStringLiteral("Ouvrir"));
    EXPECT_FALSE(translations.Translate(QStringLiteral("Menu"), QStringLiteral("Save"), CTqCodePage(), translation));
    translations.Add(QStringLiteral("Menu"), QStringLiteral("Open"), QStringLiteral("\u00D6ffnen"));
    EXPECT_TRUE(translations.Translate(QStringLiteral("Menu"), QStringLiteral("Open"), CTqCodePage(), translation));
    EXPECT_EQ(translation, QStringLiteral("\u00D6ffnen"));
    QCoreApplication::removeTranslator(&translator);
}
