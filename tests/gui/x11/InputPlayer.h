// Real pointer and keyboard input for tests under Xvfb, through the XTest extension on a
// connection of the player's own: made and used on the thread that plays the input.
#pragma once

#include <X11/Xlib.h>

#include <vector>

struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class InputPlayer {
  public:
    InputPlayer();
    ~InputPlayer();
    InputPlayer(const InputPlayer&) = delete;
    InputPlayer& operator=(const InputPlayer&) = delete;

    bool ready() const { return connection != nullptr; }
    void moveTo(int x, int y);
    // In steps of a few pixels, as a hand moves.
    void glideTo(int x, int y);
    void press(unsigned int button);
    void release(unsigned int button);
    void click(unsigned int button);
    void key(unsigned long keysym);
    void wait(int milliseconds);
    // The popups shown now: mapped override-redirect windows of the root, bottom to top.
    std::vector<ScreenRect> popups();

  private:
    void settle();

    Display* connection = nullptr;
    int pointerX = 0;
    int pointerY = 0;
};
