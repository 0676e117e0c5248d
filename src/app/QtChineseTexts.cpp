#include "QtChineseTexts.h"

#include <QCoreApplication>
#include <QHash>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

struct Text {
    const char* context;
    const char* source;
    const char* chinese;
};

constexpr Text kTexts[] = {
    {"QPlatformTheme", "OK", "确定"},
    {"QPlatformTheme", "Save", "保存"},
    {"QPlatformTheme", "Save All", "全部保存"},
    {"QPlatformTheme", "Open", "打开"},
    {"QPlatformTheme", "&Yes", "是(&Y)"},
    {"QPlatformTheme", "Yes to &All", "全部是(&A)"},
    {"QPlatformTheme", "&No", "否(&N)"},
    {"QPlatformTheme", "N&o to All", "全部否(&O)"},
    {"QPlatformTheme", "Abort", "中止"},
    {"QPlatformTheme", "Retry", "重试"},
    {"QPlatformTheme", "Ignore", "忽略"},
    {"QPlatformTheme", "Close", "关闭"},
    {"QPlatformTheme", "Cancel", "取消"},
    {"QPlatformTheme", "Discard", "放弃"},
    {"QPlatformTheme", "Help", "帮助"},
    {"QPlatformTheme", "Apply", "应用"},
    {"QPlatformTheme", "Reset", "重置"},
    {"QPlatformTheme", "Restore Defaults", "恢复默认"},
    {"QPlatformTheme", "Close without Saving", "关闭且不保存"},
    {"QMessageBox", "Show Details...", "显示细节…"},
    {"QMessageBox", "Hide Details...", "隐藏细节…"},
    {"QLineEdit", "&Undo", "撤销(&U)"},
    {"QLineEdit", "&Redo", "重做(&R)"},
    {"QLineEdit", "Cu&t", "剪切(&T)"},
    {"QLineEdit", "&Copy", "复制(&C)"},
    {"QLineEdit", "&Paste", "粘贴(&P)"},
    {"QLineEdit", "Delete", "删除"},
    {"QLineEdit", "Select All", "全选"},
    {"QWidgetTextControl", "&Undo", "撤销(&U)"},
    {"QWidgetTextControl", "&Redo", "重做(&R)"},
    {"QWidgetTextControl", "Cu&t", "剪切(&T)"},
    {"QWidgetTextControl", "&Copy", "复制(&C)"},
    {"QWidgetTextControl", "Copy &Link Location", "复制链接地址(&L)"},
    {"QWidgetTextControl", "&Paste", "粘贴(&P)"},
    {"QWidgetTextControl", "Delete", "删除"},
    {"QWidgetTextControl", "Select All", "全选"},
    {"QAbstractSpinBox", "&Select All", "全选(&S)"},
    {"QAbstractSpinBox", "&Step up", "增大(&S)"},
    {"QAbstractSpinBox", "Step &down", "减小(&D)"},
    {"QFontDialog", "Select Font", "选择字体"},
    {"QFontDialog", "&Font", "字体(&F)"},
    {"QFontDialog", "Font st&yle", "字形(&Y)"},
    {"QFontDialog", "&Size", "大小(&S)"},
    {"QFontDialog", "Effects", "效果"},
    {"QFontDialog", "Stri&keout", "删除线(&K)"},
    {"QFontDialog", "&Underline", "下划线(&U)"},
    {"QFontDialog", "Sample", "示例"},
    {"QFontDialog", "Wr&iting System", "书写系统(&I)"},
    {"QColorDialog", "Select Color", "选择颜色"},
    {"QColorDialog", "&Basic colors", "基本颜色(&B)"},
    {"QColorDialog", "&Custom colors", "自定义颜色(&C)"},
    {"QColorDialog", "&Add to Custom Colors", "添加到自定义颜色(&A)"},
    {"QColorDialog", "&Pick Screen Color", "拾取屏幕颜色(&P)"},
    {"QColorDialog", "Hu&e:", "色调(&E)："},
    {"QColorDialog", "&Sat:", "饱和度(&S)："},
    {"QColorDialog", "&Val:", "亮度(&V)："},
    {"QColorDialog", "&Red:", "红(&R)："},
    {"QColorDialog", "&Green:", "绿(&G)："},
    {"QColorDialog", "Bl&ue:", "蓝(&U)："},
    {"QColorDialog", "A&lpha channel:", "透明度(&L)："},
    {"QColorDialog", "&HTML:", "&HTML："},
    {"QFileDialog", "Look in:", "查找范围："},
    {"QFileDialog", "File &name:", "文件名(&N)："},
    {"QFileDialog", "Files of type:", "文件类型："},
    {"QFileDialog", "&Open", "打开(&O)"},
    {"QFileDialog", "&Save", "保存(&S)"},
    {"QFileDialog", "&Choose", "选择(&C)"},
    {"QFileDialog", "Back", "后退"},
    {"QFileDialog", "Forward", "前进"},
    {"QFileDialog", "Parent Directory", "上一级目录"},
    {"QFileDialog", "Create New Folder", "新建文件夹"},
    {"QFileDialog", "List View", "列表视图"},
    {"QFileDialog", "Detail View", "详细视图"},
    {"QFileDialog", "Directory:", "目录："},
    {"QFileDialog", "All Files (*)", "所有文件 (*)"},
    {"QFileDialog", "New Folder", "新建文件夹"},
    {"QFileDialog", "%1 already exists.\nDo you want to replace it?", "%1 已经存在。\n要替换它吗？"},
    {"QFileSystemModel", "Name", "名称"},
    {"QFileSystemModel", "Size", "大小"},
    {"QFileSystemModel", "Date Modified", "修改日期"},
    {"QFileSystemModel", "Type", "类型"},
    {"QPrintDialog", "Print", "打印"},
    {"QPrintDialog", "&Print", "打印(&P)"},
    {"QPrintDialog", "Print To File ...", "打印到文件…"},
    {"QInputDialog", "Enter a value:", "输入一个值："},
};

class KeptTexts final : public QTranslator {
public:
    KeptTexts()
    {
        for (const Text& t : kTexts)
            texts_.insert(QByteArray(t.context) + '\x04' + t.source, QString::fromUtf8(t.chinese));
    }
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        return texts_.value(QByteArray(context) + '\x04' + source);
    }

private:
    QHash<QByteArray, QString> texts_;
};

}  // namespace

bool InstallQtChineseTexts(QCoreApplication& application)
{
    auto* catalogue = new QTranslator(&application);
    if (catalogue->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(catalogue);
        return true;
    }
    delete catalogue;
    QCoreApplication::installTranslator(new KeptTexts);  // lives as long as the program
    return false;
}
