// What counts as the user's input when it ends a show, for both programs.
#pragma once

// A window message that is the user's own doing: a key or a mouse button going down, a wheel turned,
// a touch or pen put down. Kept as Windows' message numbers, which never change, so that this list
// builds and is tested without the platform.
bool IsUserInputMessage(unsigned message);

// The slack for a screen of this DPI: 4 pixels at 96 DPI, as many more as the scale (a hand moves the
// same distance on a 4K panel at 200 %, which is twice the pixels).
int PointerSlackPixels(int dpi);

// When the pointer's movement counts as the user's: the first position after the start is only
// where the pointer rests (Windows sends one as windows appear under it), and a hand that brushes
// the desk moves it a pixel or two; a move of more than `slackPixels` from that position, in either
// direction, is the user's.
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
