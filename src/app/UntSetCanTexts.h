#pragma once
// Every text of the chart settings dialog.
#include <QString>
#include <QStringList>

namespace SetCanText {
inline const QString Caption = QStringLiteral("排盘设置");
inline const QString Wu = QStringLiteral("戊干四化");
inline const QStringList WuItems = {QStringLiteral("贪阴弼机"), QStringLiteral("贪阴阳机")};
inline const QString Geng = QStringLiteral("庚干四化");
inline const QStringList GengItems = {QStringLiteral("阳武同阴"), QStringLiteral("阳武阴同"), QStringLiteral("阳武府同")};
inline const QString Ren = QStringLiteral("壬干四化");
inline const QStringList RenItems = {QStringLiteral("梁紫辅武"), QStringLiteral("梁紫府武")};
inline const QString TianMa = QStringLiteral("天马");
inline const QStringList TianMaItems = {QStringLiteral("按生月起"), QStringLiteral("按生年起")};
inline const QString Run = QStringLiteral("闰月");
inline const QStringList RunItems = {QStringLiteral("当做下月"), QStringLiteral("当做上月"), QStringLiteral("月中分界")};
inline const QString MiaoXian = QStringLiteral("星曜庙陷");
inline const QStringList MiaoXianItems = {QStringLiteral("起法一"), QStringLiteral("起法二")};
inline const QString SelDate = QStringLiteral("使用时间");
inline const QStringList SelDateItems = {QStringLiteral("北京时间"), QStringLiteral("真太阳时"), QStringLiteral("地方时")};
inline const QString Left = QStringLiteral("文本左边距离");
inline const QString Save = QStringLiteral("提示保存");
inline const QString ZiShi = QStringLiteral("区分夜、早子时");
inline const QString ShowFu = QStringLiteral("显示副星");
inline const QString ShowXiao = QStringLiteral("显示小星");
inline const QString Defaults = QStringLiteral("默认值");
inline const QString Confirm = QStringLiteral("确认");
inline const QString Cancel = QStringLiteral("取消");

inline const QString PromptCaption = QStringLiteral("提示");
inline const QString BadLeft = QStringLiteral("文本左边距离在0－1000之间。");
inline const QString ErrorCaption = QStringLiteral("错误");
inline const QString WriteFailed = QStringLiteral("无法保存排盘设置（dat/set.ini），设置未改变。");
}  // namespace SetCanText
