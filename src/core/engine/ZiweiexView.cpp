// What the user does with a drawn chart: zooming, picking a reference palace, clicking.
#include "Ziweiex.h"

#include "DecziweiTexts.h"
#include "Sexagenary.h"
#include "ZiweiexDrawing.h"
#include "ZiweiexGrades.h"
#include "ZiweiexPainter.h"
#include "ZiweiexPalaces.h"

void MZiWeiEx::Zoom(int step)
{
    if (state_ == ChartState::None || !drawing_) return;
    drawing_->Layout(ZoomedFontSize(drawing_->geometry().fontSize, step));
    Redraw();
}

void MZiWeiEx::Redraw()
{
    if (!painter_ || state_ == ChartState::None) return;
    if (highlighted_ >= 0) {
        HighlightPalace(highlighted_);
    } else if (state_ == ChartState::Natal) {
        painter_->DrawFrame(view());
        painter_->DrawCentreBox(view());
        painter_->DrawPalaceCells(view());
        painter_->DrawLinks(view(), LifeBranch(chart_));
    } else {
        painter_->DrawAnnualChart(view());
        painter_->DrawLinks(view(), BranchOf(annual_.annualPillar));
    }
}

void MZiWeiEx::HighlightPalace(int branch)
{
    if (state_ == ChartState::None) return;
    highlighted_ = Mod(branch, 12);
    if (state_ == ChartState::Natal) {
        // The natal marks stay; the decade lists carry the transformations flown from the
        // reference palace's stem, where the readings of line 4 find them.
        FillNatalMarks(chart_, settings_, true);
        const int reference = PalaceAt(chart_, highlighted_);
        const FourStars flying = FourTransforms(StemOf(chart_.palaces[reference].stemBranch), settings_);
        for (PalaceRecord& palace : chart_.palaces) FillLayerMarks(palace, kDecadeMarks, flying);
    }
    if (painter_) painter_->DrawHighlight(view(), highlighted_);
}

ClickResult MZiWeiEx::ClickReading(int x, int y, std::string& text)
{
    text.clear();
    if (!drawing_) return ClickResult::NoChart;
    const bool chartPresent = state_ != ChartState::None && chart_.palaces[0].stemBranch >= 0;
    const PointHit hit = PalaceAtPoint(drawing_->geometry(), x, y, chartPresent);
    if (std::holds_alternative<CentreBoxHit>(hit)) return ClickResult::CentreBox;
    if (std::holds_alternative<NoChartHit>(hit)) return ClickResult::NoChart;
    const CellHit cell = std::get<CellHit>(hit);
    const PalaceRecord& palace = chart_.palaces[PalaceAt(chart_, cell.branch)];
    const StarList& stars = palace.stars;

    // A star's name fills lines 0 and 1 of its column.
    if (cell.line <= 1 && cell.column < stars.count) {
        const int star = stars.stars[cell.column];
        text = star <= 28 ? NumberedString(700 + star) : ReadTextBlock("zdinfo", StarBlockKey(star));
        return text.empty() ? ClickResult::EmptyReading : ClickResult::Reading;
    }
    // Lines 3, 4 and 5 hold the natal, decade (or flying) and annual marks.
    if (cell.line >= 3 && cell.line <= 5) {
        const MarkList& marks = palace.marks[cell.line - 3];
        for (int m = 0; m < marks.count; ++m) {
            if (marks.entries[m].slot != cell.column) continue;
            text = ReadTextBlock("shinfo", TransformBlockKey(marks.entries[m].kind, stars.stars[cell.column]));
            return ClickResult::Reading;
        }
    }
    HighlightPalace(cell.branch);
    return ClickResult::Highlighted;
}
