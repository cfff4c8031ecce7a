#pragma once

#include <QRect>
#include <QSize>

#include <vector>

// What the chart-area buttons do; which name and place each has depends on the build.
enum class ChartButtonRole { SendWave, ReceiveWave, GroupLength, ChannelCount };

struct ChartButtonLayout {
    ChartButtonRole role;
    int number; // n of its name cxButtonN
    const char* caption;
    bool insideChart; // a child of Chart1, else of the window
    QRect geometry;   // relative to its parent
    int tabOrder;     // within its parent
};

// Everything that differs between the multi-channel and the single-channel program.
struct BuildProfile {
    int seriesCount;        // chart series, Series1..SeriesN
    int seriesLineWidth;    // pixels
    bool dealsChannels;     // wave mode 2 deals a received block over the series
    QSize normalClientSize; // client size of the restored window
    std::vector<ChartButtonLayout> chartButtons;
};
