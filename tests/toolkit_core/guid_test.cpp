#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSet>

#include <orlodock/tk/guid.h>

namespace {

TEST(Guid, CreatedStringsHaveTheBracedUpperCaseFormAndAreUnique) {
    const QRegularExpression form(
        QStringLiteral("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$"));
    QSet<QString> seen;
    for (int i = 0; i < 1000; ++i) {
        const QString s = tk::CreateGuidString();
        ASSERT_EQ(s.size(), 38);
        ASSERT_TRUE(form.match(s).hasMatch()) << s.toStdString();
        seen.insert(s);
    }
    EXPECT_EQ(seen.size(), 1000);
}

TEST(Guid, ParseAndToStringRoundTrip) {
    constexpr tk::Guid g = tk::Guid::Parse("{0123abcd-4567-89EF-a0b1-C2D3E4F50617}");
    static_assert(g.D1 == 0x0123ABCDu && g.D2 == 0x4567 && g.D3 == 0x89EF);
    EXPECT_EQ(g.D4[0], 0xA0);
    EXPECT_EQ(g.D4[7], 0x17);
    EXPECT_EQ(g.ToString(), QStringLiteral("{0123ABCD-4567-89EF-A0B1-C2D3E4F50617}"));
    tk::Guid back;
    ASSERT_TRUE(tk::Guid::TryParse(g.ToString(), back));
    EXPECT_EQ(back, g);
    tk::Guid created;
    const QString text = tk::CreateGuidString();
    ASSERT_TRUE(tk::Guid::TryParse(text, created));
    EXPECT_EQ(created.ToString(), text);
    EXPECT_FALSE(created == g);
}

TEST(Guid, TryParseRejectsMalformedText) {
    tk::Guid out;
    for (const char* bad : {"", "0123ABCD-4567-89EF-A0B1-C2D3E4F50617", "{0123ABCD-4567-89EF-A0B1-C2D3E4F5061}",
                            "{0123ABCD-4567-89EF-A0B1-C2D3E4F50617", "{0123ABCD+4567-89EF-A0B1-C2D3E4F50617}",
                            "{0123ABCG-4567-89EF-A0B1-C2D3E4F50617}", "{0123ABCD-4567-89EF-A0B1-C2D3E4F50617}x"})
        EXPECT_FALSE(tk::Guid::TryParse(QString::fromLatin1(bad), out)) << bad;
}

} // namespace
