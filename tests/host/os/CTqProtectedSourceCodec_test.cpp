// Tag-protected source text: every line comes back as it was, the text is hidden, and a
// damaged line is refused.
#include "host/os/CTqProtectedSourceCodec.h"

#include <QList>

#include <gtest/gtest.h>

namespace {

QList<QByteArray> Lines(const QByteArray& file)
{
    QList<QByteArray> lines = file.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

}  // namespace

TEST(CTqProtectedSourceCodec, EachLineOpensToTheOriginal)
{
    const QString text = QStringLiteral("(defun f (x)\r\n  ; Größe\n\n  (* x 2))\n");
    const QList<QByteArray> lines = Lines(CTqProtectedSourceCodec::Encode(text));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], QByteArray(CTqProtectedSourceCodec::kHeader) + "\r");
    const QList<QByteArray> expected = {"(defun f (x)", "  ; Gr\xC3\xB6\xC3\x9F" "e", "", "  (* x 2))"};
    for (int i = 0; i < expected.size(); ++i) {
        QByteArray plain = "not touched";
        ASSERT_TRUE(CTqProtectedSourceCodec::DecodeLine(lines[i + 1], plain)) << i;
        EXPECT_EQ(plain, expected[i]) << i;
        // The sealed line hides its text.
        if (!expected[i].isEmpty()) {
            EXPECT_FALSE(lines[i + 1].contains(expected[i].trimmed())) << i;
        }
    }
}

TEST(CTqProtectedSourceCodec, TheSameLineSealsDifferentlyEachTime)
{
    const QList<QByteArray> first = Lines(CTqProtectedSourceCodec::Encode(QStringLiteral("(princ)")));
    const QList<QByteArray> second = Lines(CTqProtectedSourceCodec::Encode(QStringLiteral("(princ)")));
    ASSERT_EQ(first.size(), 2);
    ASSERT_EQ(second.size(), 2);
    EXPECT_NE(first[1], second[1]);
}

TEST(CTqProtectedSourceCodec, DamagedLinesAreRefused)
{
    const QList<QByteArray> lines = Lines(CTqProtectedSourceCodec::Encode(QStringLiteral("(setq a 1)")));
    ASSERT_EQ(lines.size(), 2);
    QByteArray damaged = lines[1].trimmed();
    damaged[10] = damaged[10] == 'A' ? 'B' : 'A';
    QByteArray plain;
    EXPECT_FALSE(CTqProtectedSourceCodec::DecodeLine(damaged, plain));
    EXPECT_FALSE(CTqProtectedSourceCodec::DecodeLine("(setq a 1)", plain));
    EXPECT_FALSE(CTqProtectedSourceCodec::DecodeLine("QUJD", plain));  // valid Base64, too short for a seal
    EXPECT_TRUE(CTqProtectedSourceCodec::DecodeLine("  \r\n", plain));
    EXPECT_TRUE(plain.isEmpty());
}
