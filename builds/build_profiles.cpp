#include "builds/build_profiles.h"

BuildProfile MultiChannelBuild() {
    return BuildProfile{
        .seriesCount = 8,
        .seriesLineWidth = 2,
        .dealsChannels = true,
        .normalClientSize = QSize(946, 462),
        .chartButtons = {
            {ChartButtonRole::GroupLength, 1, "N1", true, QRect(936, 432, 25, 17), 0},
            {ChartButtonRole::ChannelCount, 2, "S1", true, QRect(968, 432, 25, 17), 1},
            {ChartButtonRole::SendWave, 3, "Send_Wave", true, QRect(0, 0, 75, 25), 2},
            {ChartButtonRole::ReceiveWave, 4, "Receive_Wave", true, QRect(96, 0, 75, 25), 3},
        }};
}

BuildProfile SingleChannelBuild() {
    return BuildProfile{
        .seriesCount = 1,
        .seriesLineWidth = 1,
        .dealsChannels = false,
        .normalClientSize = QSize(788, 462),
        .chartButtons = {
            // Lies on the window over the chart's top-left corner, not inside the chart.
            {ChartButtonRole::SendWave, 1, "Send_Wave", false, QRect(8, 248, 75, 25), 25},
            {ChartButtonRole::ReceiveWave, 2, "Receive_Wave", true, QRect(96, 0, 75, 25), 0},
        }};
}
