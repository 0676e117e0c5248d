#include "CliChartImage.h"

#include "CliArgs.h"
#include "CliGui.h"
#include "ImageCanvas.h"
#include "ImageFiles.h"
#include "Sexagenary.h"

#include <iostream>

ImageRequest ImageRequestFromOptions(const CliArgs& args)
{
    ImageRequest r;
    r.png = args.value("png");
    r.bmp = args.value("bmp");
    r.jpg = args.value("jpg");
    if (auto v = args.value("font-size")) r.fontSize = ParseInt(*v, kMinFontSize, kMaxFontSize, "字号");
    if (auto v = args.value("highlight")) r.highlight = ParseBranch(*v);
    return r;
}

int ParseBranch(const std::string& text)
{
    for (int b = 0; b < 12; ++b)
        if (text == kBranchNames[b] || text == std::string(kBranchNames[b]) + "宫") return b;
    return ParseInt(text, 0, 11, "宫位地支（子…亥，或0到11）");
}

ChartImage::ChartImage() = default;
ChartImage::~ChartImage() = default;

void ChartImage::Attach(MZiWeiEx& engine, int fontSize)
{
    EnsureGuiApplication();
    canvas_ = std::make_unique<ImageCanvas>();
    engine.AttachImage(*canvas_, fontSize);
}

bool ChartImage::Save(const ImageRequest& request) const
{
    if (!canvas_) return true;
    const struct {
        const std::optional<std::string>& path;
        ImageFormat format;
    } files[] = {{request.png, ImageFormat::Png}, {request.bmp, ImageFormat::Bmp}, {request.jpg, ImageFormat::Jpeg}};
    for (const auto& file : files) {
        if (!file.path) continue;
        if (!SaveImage(canvas_->image(), QString::fromStdString(*file.path), file.format)) {
            std::cerr << "无法写入图像文件：" << Abbreviated(*file.path) << '\n';
            return false;
        }
    }
    return true;
}
