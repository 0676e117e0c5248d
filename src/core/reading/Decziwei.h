#pragma once
// MDecZiWei: the interpretation report of a natal chart. From the chart it composes a plain text
// out of the numbered strings (the person of the birth year, the year stem's ruling star, and
// eight sections each read from one palace) and hands it to a report target that shows and
// styles it.
#include "ZiweiexTypes.h"

#include <array>
#include <string>
#include <vector>

// Where the report goes (the report pane). The headings are to be shown bold and blue; the
// paragraphs get a first-line indent of `indentPoints`.
class ReportTarget {
public:
    virtual ~ReportTarget() = default;
    virtual void ShowReport(const std::string& text, const std::vector<std::string>& headings, int indentPoints) = 0;
    virtual void Clear() = 0;
};

class MDecZiWei {
public:
    MDecZiWei() = default;
    ~MDecZiWei();
    MDecZiWei(const MDecZiWei&) = delete;
    MDecZiWei& operator=(const MDecZiWei&) = delete;

    void SetTarget(ReportTarget* target) { target_ = target; }

    // Copies the chart and its settings, builds the report and hands it to the target.
    void BuildReport(const ChartData& chart, const ChartSettings& settings);

    // Palace numbers where the 禄, 权, 科 and 忌 stars of palace p's stem stand (index 0..3).
    std::array<int, 4> FlyingTargets(int palace) const;

    // The text of the last report built (kept for output without a target).
    const std::string& LastReport() const { return lastReport_; }

    // The eight section headings, in report order.
    static const std::vector<std::string>& Headings();

private:
    void FormatReport();

    ReportTarget* target_ = nullptr;
    ChartData chart_{};
    ChartSettings settings_{};
    std::string reportText_;
    std::string lastReport_;
};
