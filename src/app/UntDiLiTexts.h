#pragma once
// Every text of the place editor.
#include <QString>

namespace DiLiText {
inline const QString Caption = QStringLiteral("经纬度设置");
inline const QString Province = QStringLiteral("省份");
inline const QString City = QStringLiteral("市县");
inline const QString Longitude = QStringLiteral("经度");
inline const QString Latitude = QStringLiteral("纬度");
inline const QString Degrees = QStringLiteral("度");
inline const QString Minutes = QStringLiteral("分");
inline const QString NewName = QStringLiteral("新市或县名");
inline const QString NewNamePreset = QStringLiteral("市县名");
inline const QString JingDuPreset = QStringLiteral("120");
inline const QString Edit = QStringLiteral("修改");
inline const QString Delete = QStringLiteral("删除");
inline const QString Add = QStringLiteral("增加");

inline const QString InputErrorCaption = QStringLiteral("输入错误");
inline const QString BadLongitude = QStringLiteral("经度在-180到180之间，分数在0-60之间");
inline const QString BadLatitude = QStringLiteral("纬度在-90到90之间，分数在0-60之间");
inline const QString AttentionCaption = QStringLiteral("注意");
// "确定要删除"<province><place>"吗？"
inline QString DeleteQuestion(const QString& province, const QString& place)
{
    return QStringLiteral("确定要删除\"") + province + place + QStringLiteral("\"吗？");
}
inline const QString OverwriteQuestion = QStringLiteral("已有这个地方的地理数据，要覆盖吗？");
inline const QString DoneCaption = QStringLiteral("提示");
inline const QString Done = QStringLiteral("完成");
inline const QString BadName = QStringLiteral("市县名不能含有“=”“[”“]”，不能以“;”或“#”开头，首尾不能有空格。");
inline const QString ErrorCaption = QStringLiteral("错误");
inline const QString WriteFailed = QStringLiteral("无法写入地理数据文件（dat/dili.ini），数据未改变。");
}  // namespace DiLiText
