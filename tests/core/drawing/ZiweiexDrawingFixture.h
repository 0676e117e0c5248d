#pragma once
// A chart engine in a temporary home, drawing onto a recording canvas whose "字" is 12 x 12
// pixels at every size, and ways to read back what landed where.
//
// With these metrics the image is 593 pixels wide, the grid 432 high, the cells 148 x 108, the
// grid's middle at (296, 216); a cell's label line lies 83 pixels below its top.
#include "RecordingCanvas.h"
#include "Sexagenary.h"
#include "TempHome.h"
#include "Ziweiex.h"
#include "ZiweiexPalaces.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

// Branch numbers, 亥 first.
enum Branch : int { kHai, kZi, kChou, kYin, kMao, kChen, kSi, kWu, kWei, kShen, kYou, kXu };

class DrawnChart : public ::testing::Test {
protected:
    static constexpr int w = 12;  // charWidth
    static constexpr int h = 12;  // charHeight

    DrawnChart() { engine.AttachImage(canvas, 9); }

    // Writes dat/set.ini; the engine reads it at the next cast.
    void Settings(const std::string& ziwei) { std::ofstream(home.dat() / "set.ini") << "[ziwei]\n" << ziwei; }

    static ChartInput Birth(int year, int month, int day, int hour, int minute, bool male)
    {
        ChartInput in;
        in.birth = {static_cast<int16_t>(year), static_cast<int16_t>(month), static_cast<int16_t>(day),
                    static_cast<int16_t>(hour), static_cast<int16_t>(minute)};
        in.isMale = male ? 1 : 0;
        in.longitude = 120.0f;
        in.name = male ? "张三" : "李四";
        in.place = "北京-北京";
        return in;
    }

    // Solar 1984-02-05 12:30, male: lunar 1984 正月初四 午时, a 甲子 year; Life and Body palace
    // 壬申, 金四局, 紫微 and 天府 at 寅.
    void CastZhang(int hour = 12, int minute = 30) { ASSERT_TRUE(engine.CastNatal(Birth(1984, 2, 5, hour, minute, true))); }
    // Solar 1990-06-15 08:00, female: lunar 1990 五月廿三 辰时, a 庚午 year; Life palace 戊寅,
    // Body palace 丙戌 (财帛), 土五局.
    void CastLi() { ASSERT_TRUE(engine.CastNatal(Birth(1990, 6, 15, 8, 0, false))); }

    const ChartGeometry& g() const { return *engine.geometry(); }
    CanvasPoint Cell(int branch) const { return CellCorner(g(), branch); }
    int LabelLine(int branch) const { return Cell(branch).y + g().cellHeight - 2 * h - 1; }
    // Left end of a two-character palace label, centred across the cell.
    int LabelX(int branch) const { return Cell(branch).x + (g().cellWidth - 2 * w) / 2; }

    // Texts drawn at exactly (x, y) in a colour.
    std::vector<std::string> At(int x, int y, Rgb colour) const
    {
        std::vector<std::string> found;
        for (const RecordingCanvas::Text& t : canvas.texts)
            if (t.x == x && t.y == y && t.colour == colour) found.push_back(t.text);
        return found;
    }
    // The one text at (x, y) in a colour; empty when there is none, "n texts" when several.
    std::string TextAt(int x, int y, Rgb colour) const
    {
        const std::vector<std::string> found = At(x, y, colour);
        if (found.size() == 1) return found[0];
        return found.empty() ? "" : std::to_string(found.size()) + " texts";
    }
    // Characters written downwards from (x, y) in a colour, one per line, up to the first gap.
    std::string Down(int x, int y, Rgb colour) const
    {
        std::string text;
        for (;; y += h) {
            const std::vector<std::string> found = At(x, y, colour);
            if (found.size() != 1) return text;
            text += found[0];
        }
    }
    // Every text of a colour, wherever it is.
    std::vector<RecordingCanvas::Text> InColour(Rgb colour) const
    {
        std::vector<RecordingCanvas::Text> found;
        for (const RecordingCanvas::Text& t : canvas.texts)
            if (t.colour == colour) found.push_back(t);
        return found;
    }
    // Texts whose origin lies inside the cell of a branch.
    std::vector<RecordingCanvas::Text> InCell(int branch) const
    {
        const CanvasPoint c = Cell(branch);
        std::vector<RecordingCanvas::Text> found;
        for (const RecordingCanvas::Text& t : canvas.texts)
            if (t.x >= c.x && t.x < c.x + g().cellWidth && t.y >= c.y && t.y < c.y + g().cellHeight) found.push_back(t);
        return found;
    }
    // Filled squares of a colour.
    std::vector<RecordingCanvas::Shape> Fills(Rgb colour) const
    {
        std::vector<RecordingCanvas::Shape> found;
        for (const RecordingCanvas::Shape& s : canvas.shapes)
            if (s.kind == RecordingCanvas::Shape::Fill && s.colour == colour) found.push_back(s);
        return found;
    }
    // Whether a one-character square of a colour is filled with its top-left corner at (x, y).
    bool SquareAt(int x, int y, Rgb colour) const
    {
        for (const RecordingCanvas::Shape& s : Fills(colour))
            if (s.points[0].x == x && s.points[0].y == y && s.points[1].x == x + w && s.points[1].y == y + h) return true;
        return false;
    }

    TempHome home;
    RecordingCanvas canvas{w, h};
    MZiWeiEx engine{home.path()};
};
