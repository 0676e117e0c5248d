#pragma once
// Every text of the pop-up menus of the report pane, the comment pane and the chart image.
namespace pane_texts {

inline constexpr char kUndo[] = "撤销";
inline constexpr char kCopy[] = "复制";
inline constexpr char kPaste[] = "粘帖";
inline constexpr char kCut[] = "剪切";
inline constexpr char kDelete[] = "删除";
inline constexpr char kSelectAll[] = "全选";
inline constexpr char kFormat[] = "设置选中文本";
inline constexpr char kImport[] = "导入命稿";
inline constexpr char kSaveAs[] = "另存为";
inline constexpr char kPrint[] = "打印";

// Replacing the report with a file.
inline constexpr char kImportFilterRtf[] = "All.rtf (*.rtf)";
inline constexpr char kImportFilterTxt[] = "All.txt (*.txt)";
inline constexpr char kImportFailedCaption[] = "重试一次";
inline constexpr char kImportFailed[] = "导入文件出错,请重试一次";

// Saving a pane.
inline constexpr char kSaveFilterRtf[] = "Rtf格式 (*.rtf)";
inline constexpr char kSaveFilterTxt[] = "Txt格式 (*.txt)";
inline constexpr char kSavedCaption[] = "信息";
inline constexpr char kSaved[] = "已保存！";
inline constexpr char kSaveFailedCaption[] = "错误";
inline constexpr char kSaveFailed[] = "保存文件出错，文件没有保存：";

// Printing.
inline constexpr char kPrintCaption[] = "打印";
inline constexpr char kPrintQuestion[] = "准备开始打印吗?";
inline constexpr char kPrintErrorCaption[] = "打印错误";
inline constexpr char kPaneprintError[] = "打印错误，请检查打印设备！";
inline constexpr char kChartPrintError[] = "请检查打印机能否正常工作！";

// The chart image.
inline constexpr char kChartSaveAs[] = "另存为...";
inline constexpr char kChartSaveCaption[] = "另存为Bmp图片";
inline constexpr char kChartFilterBmp[] = "bmp格式 (*.bmp)";
inline constexpr char kChartFilterJpg[] = "jpg格式 (*.jpg)";
inline constexpr char kChartFilterPng[] = "png格式 (*.png)";
inline constexpr char kChartFilterPdf[] = "pdf格式 (*.pdf)";

}  // namespace pane_texts
