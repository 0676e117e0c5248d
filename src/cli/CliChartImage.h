#pragma once
// The chart image of a cast from the command line: --png, --bmp, --jpg FILE, drawn with the
// chart font at --font-size points, optionally around a --highlight palace.
#include "Ziweiex.h"

#include <memory>
#include <optional>
#include <string>

class CliArgs;
class ImageCanvas;

struct ImageRequest {
    std::optional<std::string> png, bmp, jpg;
    int fontSize = 9;
    std::optional<int> highlight;  // branch number of the reference palace

    bool anyFile() const { return png || bmp || jpg; }
    // Drawing is wanted for files and for a highlight (which a click needs too).
    bool wanted() const { return anyFile() || highlight; }
};

// The image options; a bad value is a UsageError.
ImageRequest ImageRequestFromOptions(const CliArgs& args);

// Branch number (0 亥 .. 11 戌) of a branch name or number.
int ParseBranch(const std::string& text);

class ChartImage {
public:
    ChartImage();
    ~ChartImage();

    // Attaches a fresh image to the engine before it casts.
    void Attach(MZiWeiEx& engine, int fontSize);
    // Writes the files asked for; on failure says so on standard error and returns false.
    bool Save(const ImageRequest& request) const;

private:
    std::unique_ptr<ImageCanvas> canvas_;
};
