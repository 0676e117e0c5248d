// qiravel-cli click: what a click at a point of the drawn chart reads, as in the chart window.
#include "CliArgs.h"
#include "CliChartImage.h"
#include "CliJson.h"
#include "CmdCast.h"
#include "Commands.h"
#include "ProgramFolder.h"

#include <nlohmann/json.hpp>

#include <array>
#include <iostream>

namespace {

const std::array<std::string_view, 5> kResultNames = {"简介", "命盘中宫", "尚未排盘", "选定宫位", "无简介"};

}  // namespace

int RunClick(const CommandArgs& argv, std::ostream& out)
{
    std::set<std::string> valued = kCastOptions;
    valued.insert({"x", "y", "font-size", "highlight", "png", "bmp", "jpg"});
    std::set<std::string> flags = kCastFlags;
    flags.insert("json");
    const CliArgs args(argv, valued, flags);
    if (!args.positional().empty()) throw UsageError{"多余的参数：" + args.positional().front()};
    const CastRequest request = RequestFromOptions(args);
    const ImageRequest image = ImageRequestFromOptions(args);
    const int x = ParseInt(args.require("x"), 0, 100000, "横坐标");
    const int y = ParseInt(args.require("y"), 0, 100000, "纵坐标");

    MZiWeiEx engine(HomeFolder(args));
    ChartImage chartImage;
    chartImage.Attach(engine, image.fontSize);
    if (!Cast(engine, request)) {
        std::cerr << engine.lastError() << '\n';
        return 1;
    }
    if (image.highlight) engine.HighlightPalace(*image.highlight);
    std::string text;
    const int result = static_cast<int>(engine.ClickReading(x, y, text));
    if (!chartImage.Save(image)) return 1;

    if (args.has("json")) {
        out << JsonText(nlohmann::json{{"result", result}, {"text", text}, {"highlighted", engine.highlightedPalace()}})
            << '\n';
        return 0;
    }
    out << result << ' ' << kResultNames[result] << '\n';
    if (!text.empty()) out << text << (text.back() == '\n' ? "" : "\n");
    return 0;
}
