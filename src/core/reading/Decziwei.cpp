#include "Decziwei.h"

#include "DecziweiTexts.h"
#include "Sexagenary.h"
#include "ZiweiexGrades.h"

namespace {

struct ReportSection {
    const char* heading;
    int palace;
    const char* noMainStarNote;
    int mainStarBase;  // numbered string of main star s: base + s
    int flyingBase;    // numbered string of kind k into palace t: base + 20(k-1) + t; 0 for none
};

const std::array<ReportSection, 8> kSections = {{
    {"经济财富：", 4, "☆财帛宫无主星,论财运可看对宫-福德宫。", 860, 300},
    {"事业地位：", 8, "☆官禄宫无主星,论事业可看对宫-夫妻宫。", 940, 600},
    {"婚姻择偶：", 2, "☆夫妻宫无主星,论婚姻可看对宫-官禄宫。", 820, 200},
    {"体质健康：", 5, "☆疾厄宫无主星,论体质健康可看对宫-父母宫。", 880, 400},
    {"祖业房产：", 9, "☆田宅宫无主星,论祖业房产可看对宫-子女宫。", 960, 0},
    {"父母家人：", 11, "☆父母无主星,论父母家人可看对宫-疾厄宫。", 1000, 0},
    {"子女后代：", 3, "☆子女宫无主星,论子女后代可看对宫-田宅宫。", 840, 0},
    {"人际交往：", 6, "☆迁移宫无主星,论人际关系可看对宫-命宫。", 900, 500},
}};

constexpr int kLastMainStar = 14;

// A numbered string as report text: its CR LF line breaks become the report's line feeds.
std::string Text(int number)
{
    std::string text = NumberedString(number);
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.erase(at, 1);
    return text;
}
constexpr int kFirstMinorStarForNote = 26;  // a palace led by 天马 or a lesser star has no main star

}  // namespace

MDecZiWei::~MDecZiWei()
{
    if (target_) target_->Clear();
}

const std::vector<std::string>& MDecZiWei::Headings()
{
    static const std::vector<std::string> headings = [] {
        std::vector<std::string> h;
        for (const ReportSection& s : kSections) h.emplace_back(s.heading);
        return h;
    }();
    return headings;
}

std::array<int, 4> MDecZiWei::FlyingTargets(int palace) const
{
    const FourStars stars = FourTransforms(StemOf(chart_.palaces[palace].stemBranch), settings_);
    std::array<int, 4> targets{};
    for (int i = 0; i < kPalaceCount; ++i) {
        const StarList& list = chart_.palaces[i].stars;
        for (int slot = 0; slot < list.count; ++slot)
            for (int k = 0; k < 4; ++k)
                if (list.stars[slot] == stars[k]) targets[k] = i;
    }
    return targets;
}

void MDecZiWei::BuildReport(const ChartData& chart, const ChartSettings& settings)
{
    chart_ = chart;
    settings_ = settings;
    const int year = chart_.yearPillar;
    reportText_ = "  命主(" + CycleName(year) + ")" + Text(100 + year) + "\n";
    reportText_ += "  " + Text(1020 + StemOf(year)) + "\n";
    bool first = true;
    for (const ReportSection& section : kSections) {
        if (!first) reportText_ += "\n";
        first = false;
        reportText_ += section.heading;
        reportText_ += "\n";
        const StarList& stars = chart_.palaces[section.palace].stars;
        if (stars.count == 0 || stars.stars[0] >= kFirstMinorStarForNote) {
            reportText_ += section.noMainStarNote;
            reportText_ += "\n";
        }
        for (int slot = 0; slot < stars.count && stars.stars[slot] <= kLastMainStar; ++slot)
            reportText_ += "★" + Text(section.mainStarBase + stars.stars[slot]) + "\n";
        if (section.flyingBase == 0) continue;
        const std::array<int, 4> targets = FlyingTargets(section.palace);
        for (int k = 1; k <= 4; ++k)
            reportText_ += "☆" + Text(section.flyingBase + 20 * (k - 1) + targets[k - 1]) + "\n";
    }
    FormatReport();
}

void MDecZiWei::FormatReport()
{
    lastReport_ = reportText_;
    if (target_) target_->ShowReport(reportText_, Headings(), settings_.ileft);
    reportText_.clear();
}
