// When the pointer's movement counts as the user's: the first position after the start is only
// where the pointer rests (Windows sends one as windows appear under it), and a hand that brushes
// the desk moves it a pixel or two; a move of more than `slackPixels` from that position, in either
// direction, is the user's.
#pragma once

class InputWatch {
public:
    explicit InputWatch(int slackPixels = 4) : m_slack(slackPixels), m_placed(false), m_x(0), m_y(0) {}

    // True once the pointer, seen at x, y (screen pixels), has moved beyond the slack.
    bool MouseMovedTo(int x, int y);

private:
    int m_slack;
    bool m_placed;
    int m_x;
    int m_y;
};
