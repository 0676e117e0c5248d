// The report pane's document: one default format in black at the pane's size, the eight
// section headings bold and blue over exactly their characters, the first-line indent of every
// paragraph, and clearing.
#include "ReportDocument.h"

#include "Decziwei.h"
#include "TempHome.h"
#include "Ziweiex.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kPanePointSize = 12;  // the pane's font size

struct CharFormat {
    bool text = false;  // false for the paragraph marks between the blocks
    bool bold = false;
    QColor colour;
    double pointSize = 0;
    bool italic = false;
    bool underline = false;
};

// The character format of every position of the document.
std::vector<CharFormat> Formats(const QTextDocument& document)
{
    std::vector<CharFormat> formats(static_cast<size_t>(document.characterCount()));
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat f = fragment.charFormat();
            for (int p = fragment.position(); p < fragment.position() + fragment.length(); ++p)
                formats[static_cast<size_t>(p)] = {true, f.fontWeight() >= QFont::Bold, f.foreground().color(),
                                                   f.fontPointSize(), f.fontItalic(), f.fontUnderline()};
        }
    return formats;
}

// Position ranges of the headings, each found at the start of a line.
std::vector<std::pair<int, int>> HeadingRanges(const QTextDocument& document)
{
    std::vector<std::pair<int, int>> ranges;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (const std::string& heading : MDecZiWei::Headings())
            if (block.text() == QString::fromStdString(heading))
                ranges.emplace_back(block.position(), block.position() + static_cast<int>(block.text().size()));
    return ranges;
}

class ReportPane : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFont font = document.defaultFont();
        font.setPointSize(kPanePointSize);
        document.setDefaultFont(font);
        ChartInput in;
        in.birth = {1984, 2, 5, 12, 30};
        ASSERT_TRUE(engine.CastNatal(in)) << engine.lastError();
        engine.CopyChart(chart, settings);
    }

    void Build(int ileft)
    {
        settings.ileft = ileft;
        builder.BuildReport(chart, settings);
    }

    TempHome home;
    MZiWeiEx engine{home.path()};
    ChartData chart;
    ChartSettings settings;
    QTextDocument document;
    ReportDocument pane{document};
    MDecZiWei builder;
};

}  // namespace

TEST_F(ReportPane, TheDocumentHoldsTheReportText)
{
    builder.SetTarget(&pane);
    Build(0);
    EXPECT_EQ(document.toPlainText(), QString::fromStdString(builder.LastReport()));
}

TEST_F(ReportPane, HeadingsAloneAreBoldAndBlue)
{
    builder.SetTarget(&pane);
    Build(0);
    const std::vector<std::pair<int, int>> headings = HeadingRanges(document);
    ASSERT_EQ(headings.size(), 8u);
    const std::vector<CharFormat> formats = Formats(document);
    std::vector<bool> inHeading(formats.size(), false);
    for (const auto& [from, to] : headings)
        for (int p = from; p < to; ++p) inHeading[static_cast<size_t>(p)] = true;
    int characters = 0;
    for (size_t p = 0; p < formats.size(); ++p) {
        const CharFormat& f = formats[p];
        if (!f.text) continue;
        ++characters;
        EXPECT_EQ(f.bold, inHeading[p]) << "position " << p;
        EXPECT_EQ(f.colour, inHeading[p] ? QColor(0, 0, 255) : QColor(0, 0, 0)) << "position " << p;
        EXPECT_EQ(f.pointSize, kPanePointSize) << "position " << p;
        EXPECT_FALSE(f.italic);
        EXPECT_FALSE(f.underline);
    }
    EXPECT_EQ(characters, QString::fromStdString(builder.LastReport()).remove('\n').size());
}

TEST_F(ReportPane, FirstLineIndentFollowsTheSetting)
{
    builder.SetTarget(&pane);
    document.setTextWidth(320);  // narrow enough for the texts to wrap

    // The same layout measures what ileft points come to: a CJK character is one em wide, so
    // two of them at the pane's size span 2 × 12 points.
    QTextDocument probe;
    QTextCharFormat size;
    size.setFontPointSize(kPanePointSize);
    QTextCursor(&probe).insertText(QStringLiteral("字字字"), size);
    probe.documentLayout();
    const qreal twoCharacters = probe.begin().layout()->lineAt(0).cursorToX(2);
    ASSERT_GT(twoCharacters, 0);

    for (const int ileft : {0, 2 * kPanePointSize}) {
        Build(ileft);
        document.documentLayout();
        int wrapped = 0;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
            const QTextLayout* layout = block.layout();
            if (block.text().isEmpty() || layout->lineCount() < 2) continue;
            ++wrapped;
            const qreal indent = layout->lineAt(0).x() - layout->lineAt(1).x();
            if (ileft == 0) {
                EXPECT_EQ(layout->lineAt(0).x(), 0) << "paragraphs start at the margin";
            } else {
                EXPECT_NEAR(indent, twoCharacters, 1.0) << "an indent of " << ileft << " points";
            }
        }
        EXPECT_GT(wrapped, 10);
    }
}

TEST_F(ReportPane, ANewReportReplacesTheOldAndTheBuilderClearsThePane)
{
    {
        MDecZiWei first;
        first.SetTarget(&pane);
        settings.ileft = 24;
        first.BuildReport(chart, settings);
        ASSERT_FALSE(document.isEmpty());

        // A second chart's report, with none of the first left and the headings where they now are.
        ChartInput in;
        in.birth = {1990, 7, 15, 3, 10};
        in.isMale = 0;
        ASSERT_TRUE(engine.CastNatal(in));
        engine.CopyChart(chart, settings);
        settings.ileft = 0;
        first.BuildReport(chart, settings);
        EXPECT_EQ(document.toPlainText(), QString::fromStdString(first.LastReport()));
        EXPECT_EQ(document.begin().blockFormat().textIndent(), 0);
        const std::vector<CharFormat> formats = Formats(document);
        int bold = 0;
        for (const CharFormat& f : formats) bold += f.bold;
        int headingCharacters = 0;
        for (const auto& [from, to] : HeadingRanges(document)) headingCharacters += to - from;
        EXPECT_EQ(bold, headingCharacters);
        EXPECT_EQ(headingCharacters, 8 * 5);
    }
    EXPECT_TRUE(document.isEmpty());

    builder.SetTarget(&pane);
    Build(0);
    pane.Clear();
    EXPECT_TRUE(document.isEmpty());
}

TEST_F(ReportPane, TheTextTakesThePanesCurrentFontSize)
{
    builder.SetTarget(&pane);
    for (const int size : {15, 9}) {
        QFont font = document.defaultFont();
        font.setPointSize(size);
        document.setDefaultFont(font);  // as the pane's font dialog leaves it
        Build(0);
        for (const CharFormat& f : Formats(document)) {
            if (f.text) {
                ASSERT_EQ(f.pointSize, size);
            }
        }
    }
}
