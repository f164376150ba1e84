#include <gtest/gtest.h>

#include <QFontInfo>
#include <QPainter>
#include <set>

#include "base/Errors.h"
#include "base/Sjis.h"
#include "widgets/ShadoLbl.h"

namespace {

// The label painted over a blue background, as it would be over a picture.
QImage Render(TShadowLabel& label)
{
    QImage img(label.size(), QImage::Format_RGB32);
    img.fill(qRgb(0, 0, 255));
    QPainter p(&img);
    label.PaintTo(p);
    return img;
}

std::set<QRgb> Colours(const QImage& img)
{
    std::set<QRgb> s;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) s.insert(img.pixel(x, y) & 0xFFFFFF);
    return s;
}

void TextLineSettings(TShadowLabel& l)
{
    l.resize(581, 31);
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPixelSize(24);
    f.setBold(true);
    f.setStyleStrategy(QFont::NoAntialias);  // exact pixels for the checks
    l.setFont(f);
    l.SetFontColor(Qt::white);
    l.SetTransparent(true);
    l.Highlight()->SetVisible(false);
    l.Shadow()->SetColor(Qt::black);
    l.Shadow()->SetOffsetLeft(2);
    l.Shadow()->SetOffsetTop(2);
}

} // namespace

TEST(Shadow, ConstructionValues)
{
    TShadowLabel l;
    EXPECT_TRUE(l.Highlight()->Visible());
    EXPECT_EQ(l.Highlight()->Color(), QColor(255, 255, 255));
    EXPECT_EQ(l.Highlight()->OffsetLeft(), -1);
    EXPECT_EQ(l.Highlight()->OffsetTop(), -1);
    EXPECT_TRUE(l.Shadow()->Visible());
    EXPECT_EQ(l.Shadow()->Color(), QColor(192, 192, 192));
    EXPECT_EQ(l.Shadow()->OffsetLeft(), 1);
    EXPECT_EQ(l.Shadow()->OffsetTop(), 1);
}

TEST(Shadow, SettersNotifyOnlyOnAChangeAndAssignAlways)
{
    TShadow s;
    int changes = 0;
    s.OnChange = [&](TShadow* sender) {
        EXPECT_EQ(sender, &s);
        ++changes;
    };
    struct Step {
        std::function<void()> set;
        int expected;
    } steps[] = {
        {[&] { s.SetVisible(true); }, 0},       {[&] { s.SetVisible(false); }, 1},
        {[&] { s.SetColor(QColor(192, 192, 192)); }, 1}, {[&] { s.SetColor(Qt::black); }, 2},
        {[&] { s.SetOffsetLeft(1); }, 2},       {[&] { s.SetOffsetLeft(3); }, 3},
        {[&] { s.SetOffsetTop(1); }, 3},        {[&] { s.SetOffsetTop(-2); }, 4},
    };
    for (auto& st : steps) {
        st.set();
        EXPECT_EQ(changes, st.expected);
    }
    TShadow same;
    same.Assign(&s);  // copies all four, however many differ
    EXPECT_FALSE(same.Visible());
    EXPECT_EQ(same.Color(), QColor(Qt::black));
    EXPECT_EQ(same.OffsetLeft(), 3);
    EXPECT_EQ(same.OffsetTop(), -2);
    s.Assign(&same);  // nothing differs, still one notification
    EXPECT_EQ(changes, 5);
}

TEST(Shadow, AssigningAnotherClassFailsAndChangesNothing)
{
    TShadowLabel l;
    TPersistent other;
    EXPECT_THROW(l.SetShadow(&other), EConvertAssign);
    EXPECT_EQ(l.Shadow()->Color(), QColor(192, 192, 192));
    l.SetShadow(nullptr);  // ignored
    EXPECT_EQ(l.Shadow()->OffsetLeft(), 1);
}

TEST(ShadowLabel, TextLineDrawsABlackShadowTwoPixelsBelowRightOfWhiteText)
{
    TShadowLabel l;
    TextLineSettings(l);
    l.SetCaption(Utf8ToSjis("あいう漢字"));
    QImage img = Render(l);
    int white = 0, whiteWithShadow = 0;
    for (int y = 0; y + 2 < img.height(); ++y)
        for (int x = 0; x + 2 < img.width(); ++x) {
            if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) continue;
            ++white;
            QRgb below = img.pixel(x + 2, y + 2) & 0xFFFFFF;
            if (below == 0 || below == 0xFFFFFF) ++whiteWithShadow;
        }
    EXPECT_GT(white, 100);  // real glyphs, not empty boxes
    EXPECT_EQ(whiteWithShadow, white);
    EXPECT_TRUE(Colours(img).count(0));
}

TEST(ShadowLabel, JapaneseFaceResolvesToIpaPGothic)
{
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(QFontInfo(f).family(), QStringLiteral("IPAPGothic"));
}

TEST(ShadowLabel, CopiesInOrderShadowHighlightText)
{
    // Three copies at the same place: the last drawn, the text, wins.
    TShadowLabel l;
    TextLineSettings(l);
    l.Highlight()->SetVisible(true);
    l.Highlight()->SetColor(Qt::red);
    l.Highlight()->SetOffsetLeft(0);
    l.Highlight()->SetOffsetTop(0);
    l.Shadow()->SetOffsetLeft(0);
    l.Shadow()->SetOffsetTop(0);
    l.SetCaption("MMMM");
    auto c = Colours(Render(l));
    EXPECT_FALSE(c.count(0xFF0000));
    EXPECT_TRUE(c.count(0xFFFFFF));
    // The highlight covers the shadow when the text draws nothing.
    l.SetFontColor(Qt::transparent);
    c = Colours(Render(l));
    EXPECT_TRUE(c.count(0xFF0000));
    EXPECT_FALSE(c.count(0));
}

TEST(ShadowLabel, DisabledLabelUsesTheFixedColours)
{
    TShadowLabel l;
    TextLineSettings(l);
    l.Highlight()->SetVisible(true);
    l.Highlight()->SetColor(Qt::red);
    l.SetFontColor(Qt::green);
    l.SetCaption("Disabled");
    l.setEnabled(false);
    auto c = Colours(Render(l));
    EXPECT_FALSE(c.count(0xFF0000));
    EXPECT_FALSE(c.count(0x00FF00));
    EXPECT_FALSE(c.count(0));
    EXPECT_TRUE(c.count(0x808080));
    // A disabled parent alone does not make the label draw disabled.
    QWidget parent;
    TShadowLabel child(&parent);
    TextLineSettings(child);
    child.SetCaption("Enabled");
    parent.setEnabled(false);
    EXPECT_TRUE(child.Enabled());
    EXPECT_TRUE(Colours(Render(child)).count(0xFFFFFF));
}

TEST(ShadowLabel, AcceleratorsTabsAndEmptyCaptions)
{
    TShadowLabel l;
    TextLineSettings(l);
    l.Shadow()->SetVisible(false);
    struct Case {
        const char* caption;
        const char* plain;  // the same caption drawn with accelerators off
        bool same;
    } cases[] = {
        {"a&&b", "a&b", true},  // "&&" draws one "&"
        {"&ab", "ab", false},   // "&" is not drawn but underlines the next character
        {"&", "", false},       // a lone "&" becomes an underlined blank
    };
    for (const auto& c : cases) {
        TShadowLabel other;
        TextLineSettings(other);
        other.Shadow()->SetVisible(false);
        l.SetShowAccelChar(true);
        l.SetCaption(c.caption);
        other.SetShowAccelChar(false);
        other.SetCaption(c.plain);
        EXPECT_EQ(Render(l) == Render(other), c.same) << c.caption;
    }
    // With accelerators off "&" is drawn as it stands.
    l.SetShowAccelChar(false);
    l.SetCaption("a&b");
    TShadowLabel amp;
    TextLineSettings(amp);
    amp.Shadow()->SetVisible(false);
    amp.SetCaption("a&&b");
    EXPECT_EQ(Render(l), Render(amp));
    l.SetShowAccelChar(true);
    l.SetCaption("");
    EXPECT_EQ(Colours(Render(l)), std::set<QRgb>{0x0000FF});
    // A tab is expanded, not drawn as a box.
    l.SetCaption("a\tb");
    TShadowLabel spaced;
    TextLineSettings(spaced);
    spaced.Shadow()->SetVisible(false);
    spaced.SetCaption("ab");
    EXPECT_NE(Render(l), Render(spaced));
}
