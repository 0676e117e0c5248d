#pragma once
// The drawing of a chart, as the chart engine drives it. The engine calls these at their steps
// of a cast, after the values each step shows are computed; an engine without a painter only
// computes. A painter reads what it shows from the view it is handed.
#include "ChartView.h"

class ChartPainter {
public:
    virtual ~ChartPainter() = default;

    // The grid and cell frames; then the centre box with the pillars, bureau and stem strip.
    // Called once the palaces are computed, before the stars are placed.
    virtual void DrawFrame(const ChartView& view) = 0;
    virtual void DrawCentreBox(const ChartView& view) = 0;
    // The twelve palace cells with their stars, grades and natal marks (already recorded in
    // the chart's natal mark lists).
    virtual void DrawPalaceCells(const ChartView& view) = 0;
    // The lines from the palace at `branch` to its opposite and its two trine palaces.
    virtual void DrawLinks(const ChartView& view, int branch) = 0;
    // The whole annual chart: the natal drawing with the annual, decade and month layers (and
    // the days and hours when asked), its marks already recorded in the chart.
    virtual void DrawAnnualChart(const ChartView& view) = 0;
    // The chart redrawn around the reference palace at `branch`: the other palaces labelled by
    // their role from it and, in a natal chart, the transformations flown from its stem
    // (already recorded in the chart's decade mark lists).
    virtual void DrawHighlight(const ChartView& view, int branch) = 0;
};
