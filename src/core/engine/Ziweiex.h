#pragma once
// MZiWeiEx: the chart engine. It casts a natal chart from a ChartInput and annual charts on top
// of it, and drives the drawing of both when a painter is attached. Like its calendar, one
// engine serves one thread.
#include "ChartCanvas.h"
#include "ChartView.h"
#include "Yidateex.h"
#include "ZiweiexAnnual.h"
#include "ZiweiexLayout.h"
#include "ZiweiexStars.h"
#include "ZiweiexTypes.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class ChartDrawing;
class ChartPainter;

// What a click on the chart image found.
enum class ClickResult : int32_t {
    Reading = 0,       // a star or a mark: the text holds its reading (possibly empty for a mark)
    CentreBox = 1,     // the centre box: the window drags the image
    NoChart = 2,       // nothing has been cast (or the point lies outside the twelve cells)
    Highlighted = 3,   // elsewhere in a palace: it is now the reference palace, redrawn
    EmptyReading = 4,  // a star without a reading
};

class MZiWeiEx {
public:
    // Settings are read from dat/set.ini under the program folder at every cast.
    explicit MZiWeiEx(std::filesystem::path programFolder);
    ~MZiWeiEx();
    MZiWeiEx(const MZiWeiEx&) = delete;
    MZiWeiEx& operator=(const MZiWeiEx&) = delete;

    // Draws every chart onto `canvas` from now on, sized by the chart font at fontSize points;
    // starts over with no chart. The canvas must outlive the engine's use of it.
    void AttachImage(ChartCanvas& canvas, int fontSize);
    // Enlarges (+1) or reduces (-1) the chart font, within 7..20, and redraws; nothing happens
    // without a chart.
    void Zoom(int step);
    // The geometry of the attached image; null without one.
    const ChartGeometry* geometry() const;
    // Makes the palace at `branch` the reference palace and redraws around it.
    void HighlightPalace(int branch);
    // What a click at image pixel (x, y) finds; `text` receives the reading of a star or mark.
    ClickResult ClickReading(int x, int y, std::string& text);

    // Attaches the drawing (null for none). Attaching starts over with no chart.
    void AttachPainter(ChartPainter* painter);

    // From now on every cast uses these settings instead of reading dat/set.ini; for callers
    // that cast many charts under settings read once.
    void FixSettings(const ChartSettings& settings);

    // Casts (and draws) the natal chart; false leaves the reason in lastError().
    bool CastNatal(const ChartInput& input);
    // Casts (and draws) the annual chart of a solar date-time over the natal chart;
    // dailyHourly lays out the days and hours too. False leaves the reason in lastError()
    // and the previous chart as it was.
    bool CastAnnual(const MDateTime& annualDate, uint8_t dailyHourly);

    void CopyChart(ChartData& chart, ChartSettings& settings) const;
    void GetClockBirth(MDateTime& t) const;
    uint8_t GetSaveFlag() const;
    const std::string& lastError() const { return lastError_; }

    // What the drawing, the readings and the command line show.
    const ChartInput& input() const { return input_; }
    const ChartData& chart() const { return chart_; }
    const AnnualData& annual() const { return annual_; }
    const ChartSettings& settings() const { return settings_; }
    ChartState state() const { return state_; }
    const MDateTime& clockBirth() const { return clockBirth_; }  // as entered, solar
    const MDateTime& solarBirth() const { return solarBirth_; }  // after the clock-time kind
    const MDateTime& lunarBirth() const { return lunarBirth_; }  // and the 23:00 rule
    bool lunarLeap() const { return input_.isLeap != 0; }
    int chartMonth() const { return chartMonth_; }
    double birthJulianDay() const { return birthJd_; }
    BirthFacts birthFacts() const { return {chartMonth_, lunarBirth_.day, input_.isMale != 0}; }
    // The cast as the drawing reads it.
    ChartView view() const
    {
        return {input_, chart_, annual_, settings_, state_, solarBirth_, lunarBirth_, lunarLeap()};
    }
    // Branch of the palace the user picked as reference, −1 for none.
    int highlightedPalace() const { return highlighted_; }

private:
    ChartSettings LoadSettings() const;
    bool ConvertBirth();
    void ComputePillars();
    bool ConvertAnnual(AnnualData& annual);
    // Draws the chart again as the state and the highlighted palace ask.
    void Redraw();
    // Whether a corrected year can still be converted to the lunar calendar.
    static bool YearInRange(int storedYear);

    std::filesystem::path programFolder_;
    ChartPainter* painter_ = nullptr;
    std::unique_ptr<ChartDrawing> drawing_;  // the painter of an attached image
    std::optional<ChartSettings> fixedSettings_;

    ChartInput input_{};
    double birthJd_ = 0;       // Julian day of clockBirth
    MDateTime lunarBirth_{};
    MDateTime solarBirth_{};
    int chartMonth_ = 0;
    MDateTime clockBirth_{};
    ChartState state_ = ChartState::None;
    int highlighted_ = -1;
    ChartData chart_{};
    MYiDateEx calendar_;
    AnnualData annual_{};
    ChartSettings settings_{};
    std::string lastError_;
};
