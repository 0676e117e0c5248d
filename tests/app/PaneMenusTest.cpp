// The pop-up menus of the report and comment panes and of the chart image: editing, saving,
// importing and printing (to PDF files), every question answered by a script.
#include "PaneMenus.h"
#include "RichTextFiles.h"
#include "Screenshots.h"
#include "ScriptedPrompter.h"
#include "TempHome.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <random>

namespace {

QString Path(const TempHome& home, const char* name)
{
    return QString::fromStdString((home.path() / name).string());
}

QByteArray Head(const QString& path, int n)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.read(n);
}

// A printer set to write a PDF file.
std::function<bool(QPrinter&)> PrintTo(const QString& path)
{
    return [path](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    };
}

class PaneTest : public ::testing::Test {
protected:
    ScriptedPrompter prompter;
    TempHome home;
    QTextEdit pane;
    RichPaneMenu* menu = new RichPaneMenu(pane, prompter, RichPaneKind::Report);

    PaneTest()
    {
        QTextCursor cursor(pane.document());
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        bold.setForeground(QColor(0, 0, 255));
        cursor.insertText("命宫", bold);
        cursor.insertText("：紫微 天府", QTextCharFormat());
        cursor.insertBlock();
        cursor.insertText("第二段 {括号} \\ 反斜杠");
    }
    void SelectFirst(int n)
    {
        QTextCursor cursor(pane.document());
        cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor, n);
        pane.setTextCursor(cursor);
    }
};

}  // namespace

TEST_F(PaneTest, MenuItemsInOrderWithSeparators)
{
    QStringList items;
    for (const QAction* a : menu->Menu()->actions()) items << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(items.join(' '), "撤销 - 复制 粘帖 剪切 删除 全选 - 设置选中文本 - 导入命稿 另存为 打印");
    QTextEdit comment;
    RichPaneMenu commentMenu(comment, prompter, RichPaneKind::Comment);
    EXPECT_EQ(commentMenu.Action("导入命稿"), nullptr);
    EXPECT_NE(commentMenu.Action("打印"), nullptr);

    menu->Menu()->adjustSize();
    SaveScreenshot(*menu->Menu(), "pane-menu");
}

TEST_F(PaneTest, EditingActions)
{
    SelectFirst(2);
    menu->Action("复制")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "命宫");
    menu->Action("删除")->trigger();
    EXPECT_TRUE(pane.toPlainText().startsWith("：紫微"));
    menu->Action("撤销")->trigger();
    EXPECT_TRUE(pane.toPlainText().startsWith("命宫："));
    menu->Action("全选")->trigger();
    EXPECT_EQ(pane.textCursor().selectedText().size(), pane.toPlainText().size());
    menu->Action("剪切")->trigger();
    EXPECT_TRUE(pane.toPlainText().isEmpty());
    menu->Action("粘帖")->trigger();
    EXPECT_TRUE(pane.toPlainText().startsWith("命宫："));
}

TEST_F(PaneTest, FormatSelection)
{
    pane.moveCursor(QTextCursor::End);
    menu->FormatSelection();  // nothing selected: no dialog
    EXPECT_TRUE(prompter.shown.empty());

    SelectFirst(4);
    QFont font("Serif");
    font.setPointSize(20);
    font.setItalic(true);
    prompter.fonts.push_back(font);
    prompter.colours.push_back(QColor(200, 0, 0));
    menu->Action("设置选中文本")->trigger();
    QTextCursor probe(pane.document());
    probe.setPosition(3);
    EXPECT_TRUE(probe.charFormat().fontItalic());
    EXPECT_EQ(probe.charFormat().fontPointSize(), 20);
    EXPECT_EQ(probe.charFormat().foreground().color(), QColor(200, 0, 0));
    probe.setPosition(6);
    EXPECT_FALSE(probe.charFormat().fontItalic());
}

TEST_F(PaneTest, SaveAsTextLeavesThePaneRich)
{
    prompter.files.push_back({Path(home, "评语"), 1});
    menu->SaveAs();
    EXPECT_EQ(prompter.LastMessage(), "已保存！");
    QFile file(Path(home, "评语.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), "命宫：紫微 天府\n第二段 {括号} \\ 反斜杠");
    QTextCursor probe(pane.document());
    probe.setPosition(1);
    EXPECT_EQ(probe.charFormat().fontWeight(), QFont::Bold);
    EXPECT_TRUE(pane.acceptRichText());
}

// Saved as RTF and imported again: text, paragraphs, bold and colour come back.
TEST_F(PaneTest, RtfRoundTripThroughImport)
{
    prompter.files.push_back({Path(home, "报告.rtf"), 0});  // a typed extension is not doubled
    menu->SaveAs();
    EXPECT_EQ(prompter.LastMessage(), "已保存！");
    EXPECT_EQ(Head(Path(home, "报告.rtf"), 6), "{\\rtf1");

    const QString original = pane.toPlainText();
    pane.setPlainText("别的内容");
    prompter.files.push_back({Path(home, "报告.rtf"), 0});
    menu->Action("导入命稿")->trigger();
    EXPECT_EQ(pane.toPlainText(), original);
    QTextCursor probe(pane.document());
    probe.setPosition(1);
    EXPECT_EQ(probe.charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(probe.charFormat().foreground().color(), QColor(0, 0, 255));
    probe.setPosition(4);
    EXPECT_NE(probe.charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(pane.document()->blockCount(), 2);
}

// The comment pane's font is given in pixels (宋体 14 pixels): 10.5 points in the RTF.
TEST_F(PaneTest, RtfSizeOfAPixelSizedPane)
{
    QFont font = pane.font();
    font.setPixelSize(14);
    pane.setFont(font);
    prompter.files.push_back({Path(home, "评语"), 0});
    menu->SaveAs();
    const QByteArray rtf = Head(Path(home, "评语.rtf"), 4096);
    EXPECT_TRUE(rtf.contains("\\fs21")) << rtf.toStdString();
    EXPECT_FALSE(rtf.contains("\\fs-")) << rtf.toStdString();
    EXPECT_TRUE(rtf.contains("\\'c3\\'fc")) << rtf.toStdString();  // 命 in GBK
}

TEST_F(PaneTest, ImportPlainTextAndFailures)
{
    QFile gbk(Path(home, "旧稿.txt"));
    ASSERT_TRUE(gbk.open(QIODevice::WriteOnly));
    gbk.write("\xc3\xfc\xb9\xac\r\n\xd7\xcf\xce\xa2");  // 命宫 / 紫微 in GBK, CR LF lines
    gbk.close();
    prompter.files.push_back({gbk.fileName(), 1});
    menu->ImportReport();
    EXPECT_EQ(pane.toPlainText(), "命宫\n紫微");
    QTextCursor probe(pane.document());
    probe.setPosition(1);
    EXPECT_EQ(probe.charFormat().foreground().color(), QColor(Qt::black));

    prompter.files.push_back({Path(home, "没有这个文件.rtf"), 0});
    menu->ImportReport();
    ASSERT_EQ(prompter.Messages().size(), 1);
    EXPECT_EQ(prompter.shown.back().caption, "重试一次");
    EXPECT_EQ(prompter.LastMessage(), "导入文件出错,请重试一次");

    QFile notRtf(Path(home, "假的.rtf"));
    ASSERT_TRUE(notRtf.open(QIODevice::WriteOnly));
    notRtf.write("plain words");
    notRtf.close();
    prompter.files.push_back({notRtf.fileName(), 0});
    menu->ImportReport();
    EXPECT_EQ(prompter.Messages().size(), 2);

    prompter.files.push_back({});  // cancelled
    menu->ImportReport();
    EXPECT_EQ(prompter.Messages().size(), 2);
}

// Damaged RTF never aborts the program: random bytes after the header, runaway nesting,
// truncated escapes.
TEST(RichTextFiles, DamagedRtfIsReadOrRefused)
{
    TempHome home;
    const QString path = Path(home, "bad.rtf");
    std::mt19937 random(15);
    std::vector<QByteArray> samples = {"{\\rtf1" + QByteArray(100000, '{'), "{\\rtf1\\'", "{\\rtf1\\u", "{\\rtf1\\u-99999999999",
                                       "{\\rtf1{\\colortbl\\red300;}\\cf5 x\\cf-3 y}", "{\\rtf1\\uc99999\\u21629"};
    for (int i = 0; i < 200; ++i) {
        QByteArray bytes = "{\\rtf1";
        for (int k = 0; k < 300; ++k) bytes += "{}\\'abu0123456789 ;x"[random() % 20];
        samples.push_back(bytes);
    }
    for (const QByteArray& sample : samples) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(sample);
        file.close();
        QTextDocument document;
        LoadRichText(document, path, RichTextFormat::Rtf);
    }
    QTextDocument document;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\\rtf1" + QByteArray(100000, '{'));
    file.close();
    EXPECT_FALSE(LoadRichText(document, path, RichTextFormat::Rtf));
}

TEST_F(PaneTest, SaveFailureIsReported)
{
    prompter.files.push_back({Path(home, "no/such/folder/x"), 0});
    menu->SaveAs();
    EXPECT_EQ(prompter.shown.back().caption, "错误");
    EXPECT_TRUE(prompter.LastMessage().startsWith("保存文件出错"));
}

TEST_F(PaneTest, PrintToPdf)
{
    prompter.answers.push_back(false);  // "准备开始打印吗?" No
    menu->Print();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "打印");
    EXPECT_EQ(prompter.shown[0].text, "准备开始打印吗?");

    const QString pdf = Path(home, "report.pdf");
    prompter.answers.push_back(true);
    prompter.prints.push_back(PrintTo(pdf));
    menu->Action("打印")->trigger();
    EXPECT_EQ(Head(pdf, 4), "%PDF");
    EXPECT_TRUE(prompter.Messages().isEmpty());

    prompter.answers.push_back(true);
    prompter.prints.push_back(PrintTo(Path(home, "no/such/folder/report.pdf")));
    menu->Print();
    EXPECT_EQ(prompter.shown.back().caption, "打印错误");
    EXPECT_EQ(prompter.LastMessage(), "打印错误，请检查打印设备！");
}

namespace {

class ChartMenuTest : public ::testing::Test {
protected:
    ScriptedPrompter prompter;
    TempHome home;
    QLabel widget;
    QImage chart{400, 319, QImage::Format_RGB32};
    ChartImageMenu* menu = new ChartImageMenu(widget, prompter, [this] { return chart; });

    ChartMenuTest() { chart.fill(QColor(255, 255, 200)); }
};

}  // namespace

TEST_F(ChartMenuTest, ItemsAndCopy)
{
    QStringList items;
    for (const QAction* a : menu->Menu()->actions()) items << a->text();
    EXPECT_EQ(items.join(' '), "复制 另存为... 打印");
    menu->Action("复制")->trigger();
    EXPECT_EQ(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), chart);
}

TEST_F(ChartMenuTest, SaveInEachFormat)
{
    const struct {
        const char* typed;
        int filter;
        const char* written;
        const char* format;  // as Qt's image reader names it; empty for PDF
    } rows[] = {
        {"chart", 0, "chart.bmp", "bmp"},
        {"chart", 1, "chart.jpg", "jpeg"},
        {"chart.png", 2, "chart.png", "png"},
        {"chart", 3, "chart.pdf", ""},
    };
    for (const auto& r : rows) {
        prompter.files.push_back({Path(home, r.typed), r.filter});
        menu->SaveAs();
        EXPECT_EQ(prompter.shown.back().caption, "信息") << r.written;
        EXPECT_EQ(prompter.LastMessage(), "已保存！");
        const QString written = Path(home, r.written);
        if (*r.format) {
            QImageReader reader(written);
            EXPECT_EQ(reader.format(), r.format) << r.written;
            EXPECT_EQ(reader.size(), chart.size());
        } else {
            EXPECT_EQ(Head(written, 4), "%PDF");
        }
    }
    EXPECT_EQ(prompter.shown[0].caption, "另存为Bmp图片");
}

TEST_F(ChartMenuTest, PrintRectangleAndPrintToPdf)
{
    EXPECT_EQ(ChartPrintRect(4800), QRect(QPoint(8, 30), QPoint(4791, 3846)));  // (8, 30)-(4792, 3847) exclusive
    EXPECT_EQ(ChartPrintRect(816), QRect(8, 30, 800, 638));

    const QString pdf = Path(home, "chart-print.pdf");
    prompter.answers.push_back(true);
    prompter.prints.push_back(PrintTo(pdf));
    menu->Print();
    EXPECT_EQ(Head(pdf, 4), "%PDF");
    EXPECT_TRUE(prompter.Messages().isEmpty());

    prompter.answers.push_back(true);
    prompter.prints.push_back(PrintTo(Path(home, "no/such/folder/chart.pdf")));
    menu->Print();
    EXPECT_EQ(prompter.shown.back().caption, "打印错误");
    EXPECT_EQ(prompter.LastMessage(), "请检查打印机能否正常工作！");

    prompter.answers.push_back(true);
    prompter.prints.push_back([](QPrinter&) { return false; });  // print dialog cancelled
    const size_t before = prompter.Messages().size();
    menu->Print();
    EXPECT_EQ(static_cast<size_t>(prompter.Messages().size()), before);
}
