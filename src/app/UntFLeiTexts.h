#pragma once
// Texts of the category picker.
namespace FLeiTexts {
inline constexpr const char* kCaption = "分类保存";
inline constexpr const char* kLabel = "保存类别";
inline constexpr const char* kOk = "确定";
inline constexpr const char* kCancel = "取消";
inline constexpr const char* kEmpty = "类别名不能为空";
inline constexpr const char* kErrorCaption = "错误";
// A name longer than a case record holds (only a hand-edited settings file offers one).
inline constexpr const char* kTooLong = "类别名不能为空，并且最多可以有6个汉字！";
}  // namespace FLeiTexts
