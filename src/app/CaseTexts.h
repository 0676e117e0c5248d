#pragma once
// Every text of the case tree, the current case and the case-file tools (export, import,
// compaction): menu items, captions, questions and messages.
#include "Database.h"

#include <QString>

namespace CaseTexts {

inline QString T(const char* utf8) { return QString::fromUtf8(utf8); }

// Tree and its pop-up menu.
inline constexpr const char* kRoot = "命例";
inline constexpr const char* kView = "查看命例";
inline constexpr const char* kMoveTo = "移动到";
inline constexpr const char* kDeleteCase = "删除命例";
inline constexpr const char* kAddCategory = "增加类别";
inline constexpr const char* kRenameCategory = "修改类名";
inline constexpr const char* kDeleteCategory = "删除类别";
inline constexpr const char* kSaveCategories = "保存类别";
inline constexpr const char* kSearch = "查找";
inline constexpr const char* kShowAll = "显示全部命例";
inline constexpr const char* kExpand = "展开";
inline constexpr const char* kCollapse = "收缩";

// Captions.
inline constexpr const char* kHint = "提示";
inline constexpr const char* kAttention = "注意";
inline constexpr const char* kInformation = "信息";
inline constexpr const char* kError = "错误";

// Messages and questions of the tree.
inline constexpr const char* kSelectCase = "请先选择一个命例！";
inline constexpr const char* kNoRecords = "没有记录，无从查找。";
inline constexpr const char* kNothingFound = "没有找到符合条件的命例。";
inline constexpr const char* kAskDeleteCase = "确定要删除“%1”这个命例吗？";
inline constexpr const char* kAskDeleteCaseOnScreen = "确定要删除当前正在查看的命例吗？";
inline constexpr const char* kNewCategoryTitle = "新建类别";
inline constexpr const char* kNewCategoryPrompt = "请输入新建类别名：";
inline constexpr const char* kNewCategoryPreset = "新类别";
inline constexpr const char* kBadCategoryName = "类别名不能为空，并且最多可以有6个汉字！";
inline constexpr const char* kCategoryExists = "已有这个类别了！";
inline constexpr const char* kRenameTitle = "修改类别名";
inline constexpr const char* kRenamePrompt = "请输入新的类别名：";
inline constexpr const char* kRenameExists = "已有这个类别了，请另起一个名称！";
inline constexpr const char* kAskDeleteCategory = "确定要删除“%1”这个类别吗？";
inline constexpr const char* kCategoriesSaved = "当前列表的类别已经保存！";

// The current case.
inline constexpr const char* kSaveNew = "存新";
inline constexpr const char* kSaveStored = "存旧";
inline constexpr const char* kAskSaveComment = "当前评语文本已改变，要保存吗？";
inline constexpr const char* kCastFirst = "请先排一个正确的盘后再保存";
inline constexpr const char* kAskOverwrite = "要修改“%1”这条记录吗？";
inline constexpr const char* kSavedStored = "已保存编辑后的命例。";
inline constexpr const char* kNewTitle = "新建";
inline constexpr const char* kAskNew = "确定要开始建立一个新案例吗?这将清除现有评语！";
inline constexpr const char* kCommentPreset = "输入自己的评语：";
inline constexpr const char* kCaseGone = "这条命例已被删除，请重新排盘后按“存新”保存。";
inline constexpr const char* kCommentNamesUsedUp = "这个姓名和出生时间的评语文件名已全部用完，命例未保存。";
inline constexpr const char* kBadRecord = "这条命例的出生资料不正确，无法查看。";

// Export, import, compaction.
// Compaction is offered from this many records on, live and deleted.
inline constexpr int32_t kCompactionThreshold = 2000;
inline constexpr const char* kImport = "导入历史记录";
inline constexpr const char* kExportFolderTitle = "选择导出到的文件夹";
inline constexpr const char* kExported = "成功导出，已保存到%1目录下";
inline constexpr const char* kAskImport = "执行此操作将覆盖现有的历史记录，要继续吗？";
inline constexpr const char* kImportCaption = "注意了";
inline constexpr const char* kImportFilter = "all.dat (*.dat)";
inline constexpr const char* kImportFileName = "ZiWei.dat";
inline constexpr const char* kNoImportFile = "没有导入的数据文件！";
inline constexpr const char* kNoImportFolder = "没有导入的数据文件夹！";
inline constexpr const char* kImported = "成功导入，请重启软件！";
inline constexpr const char* kAskCompact = "命例数据过多，读取速度慢才需要整理，确定要整理吗？";
inline constexpr const char* kTooFewToCompact = "命例数据过少，无需整理！";
inline constexpr const char* kCompacted = "整理数据完成，需重启软件！";

// Failures of the case store, which the calls above report.
inline constexpr const char* kExportFailed = "导出失败：%1";
inline constexpr const char* kImportFailed = "导入失败：%1";
inline constexpr const char* kCompactFailed = "整理失败：%1";
inline constexpr const char* kSaveFailed = "保存命例失败：%1";
inline constexpr const char* kCommentSaveFailed = "保存评语文件失败，命例未保存：%1";
inline constexpr const char* kReadFailed = "读取命例失败：%1";
inline constexpr const char* kChangeFailed = "修改命例失败：%1";
inline constexpr const char* kCategoryListFailed = "类别列表无法写入设置文件。";

inline QString StatusText(DbStatus status)
{
    switch (status) {
    case DbStatus::Ok: return T("成功");
    case DbStatus::OutOfRange: return T("没有这条命例");
    case DbStatus::Deleted: return T("这条命例已删除");
    case DbStatus::Busy: return T("命例文件正被另一个程序使用，请稍后再试");
    case DbStatus::IoError: return T("读写文件失败");
    case DbStatus::BadText: return T("文字无法按GBK保存，或超出字段长度");
    case DbStatus::OwnFolder: return T("不能使用程序自己的文件夹");
    case DbStatus::WriteProtected: return T("命例文件是只读的，未作任何改动");
    case DbStatus::NotCaseFile: return T("导入的数据不是完整的命例文件，或是符号链接，未作任何改动");
    }
    return T("未知错误");
}

}  // namespace CaseTexts
