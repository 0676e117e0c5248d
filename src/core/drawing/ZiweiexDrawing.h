#pragma once
// The chart drawn onto a canvas: the frame, the centre box with the stem table, the palace
// cells, the annual overlays, the connecting lines and the highlighted palace. It reads what it
// shows from the view of the cast; the mark lists it draws are those the engine recorded.
#include "ChartCanvas.h"
#include "ZiweiexLayout.h"
#include "ZiweiexPainter.h"

class ChartDrawing final : public ChartPainter {
public:
    explicit ChartDrawing(ChartCanvas& canvas) : canvas_(canvas) {}

    // Sizes the canvas for a font size; the picture is blank afterwards.
    void Layout(int fontSize) { geometry_ = LayoutCanvas(canvas_, fontSize); }
    const ChartGeometry& geometry() const { return geometry_; }

    void DrawFrame(const ChartView& view) override;
    void DrawCentreBox(const ChartView& view) override;
    void DrawPalaceCells(const ChartView& view) override;
    void DrawLinks(const ChartView& view, int branch) override;
    void DrawAnnualChart(const ChartView& view) override;
    void DrawHighlight(const ChartView& view, int branch) override;

private:
    void DrawStemTable(const ChartView& view);
    void DrawMark(int x, int y, int kind, Rgb colour);
    // Text centred across the cell whose left edge is `left`.
    void DrawCentred(int left, int y, std::string_view text, Rgb colour);
    void Vertical(int x, int y, std::string_view text, Rgb colour);
    // The label line of a cell: the bottom two text lines hold the labels and the decade.
    int LabelLine(int top) const { return top + geometry_.cellHeight - 2 * geometry_.charHeight - 1; }

    ChartCanvas& canvas_;
    ChartGeometry geometry_;
};
