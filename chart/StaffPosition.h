// Where a measure stands on the chart: ten lines of four measures to a page. Measures are counted
// over those shown, from 0; all lengths here are inches on the page.
#pragma once

namespace ChartGeometry {

inline constexpr double kPageWidth = 8.5;
inline constexpr double kPageHeight = 11.0;
inline constexpr double kStaffWidth = 7.5;
inline constexpr double kMeasureWidth = kStaffWidth * 0.25;  // 1.875
inline constexpr double kSlotWidth = kStaffWidth * 0.0625;   // 0.46875, four to a measure
inline constexpr double kStaffTop = 0.72;                    // below the top of the line
inline constexpr double kStaffLineGap = 0.07;
inline constexpr double kStaffHeight = 4 * kStaffLineGap;  // 0.28
inline constexpr int kMeasuresPerLine = 4;
inline constexpr int kLinesPerPage = 10;
inline constexpr int kMeasuresPerPage = kMeasuresPerLine * kLinesPerPage;

}  // namespace ChartGeometry

struct CMStaffPosition {
    int page = 0;    // 0-based page of the chart
    int line = 0;    // 0-9
    int column = 0;  // 0-3 for a measure; 4 is the end of the line

    static CMStaffPosition OfMeasure(int measure)
    {
        using namespace ChartGeometry;
        return {measure / kMeasuresPerPage, (measure % kMeasuresPerPage) / kMeasuresPerLine,
                measure % kMeasuresPerLine};
    }
    // The end of the line before: column 4 of the line above, or of the last line of the page
    // before for the first line of a page.
    CMStaffPosition PreviousLineEnd() const
    {
        using namespace ChartGeometry;
        return line > 0 ? CMStaffPosition{page, line - 1, kMeasuresPerLine}
                        : CMStaffPosition{page - 1, kLinesPerPage - 1, kMeasuresPerLine};
    }
    // Where a sign that closes what came before is drawn for a measure: at its start, or at the
    // end of the line before when the measure starts a line.
    CMStaffPosition ClosingPosition() const { return column == 0 ? PreviousLineEnd() : *this; }
    // The top line of this line's staff.
    double StaffTop() const { return line + ChartGeometry::kStaffTop; }
};
