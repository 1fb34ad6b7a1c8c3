#include "app/InputHandler.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

SDL_Event buttonEvent(Uint8 type, Uint8 button, Uint16 x, Uint16 y) {
    SDL_Event event{};
    event.type = type;
    event.button.type = type;
    event.button.button = button;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.x = x;
    event.button.y = y;
    return event;
}

SDL_Event press(Uint16 x, Uint16 y, Uint8 button = SDL_BUTTON_LEFT) {
    return buttonEvent(SDL_MOUSEBUTTONDOWN, button, x, y);
}

SDL_Event release(Uint16 x, Uint16 y, Uint8 button = SDL_BUTTON_LEFT) {
    return buttonEvent(SDL_MOUSEBUTTONUP, button, x, y);
}

SDL_Event key(Uint8 type, SDLKey symbol) {
    SDL_Event event{};
    event.type = type;
    event.key.type = type;
    event.key.keysym.sym = symbol;
    return event;
}

SDL_Event quitEvent() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    return event;
}

TEST(InputHandlerClicks, ReleaseClicksAtThePressPositionNotWhereTheButtonWentUp) {
    InputHandler input;
    EXPECT_FALSE(input.handle(press(10, 20)));
    const std::optional<Click> click = input.handle(release(300, 400));
    ASSERT_TRUE(click);
    EXPECT_EQ(click->x, 10);
    EXPECT_EQ(click->y, 20);
}

TEST(InputHandlerClicks, ReleaseWithoutPressDoesNothing) {
    InputHandler input;
    EXPECT_FALSE(input.handle(release(5, 5)));
    EXPECT_FALSE(input.isQuitRequested());
}

TEST(InputHandlerClicks, TwoPressesAndOneReleaseClickOnceAtTheSecondPress) {
    InputHandler input;
    input.handle(press(1, 2));
    input.handle(press(30, 40));
    const std::optional<Click> click = input.handle(release(0, 0));
    ASSERT_TRUE(click);
    EXPECT_EQ(click->x, 30);
    EXPECT_EQ(click->y, 40);
    EXPECT_FALSE(input.handle(release(0, 0))) << "a second release must not click again";
}

TEST(InputHandlerClicks, EveryMouseButtonClicks) {
    for (Uint8 button : {Uint8(SDL_BUTTON_LEFT), Uint8(SDL_BUTTON_MIDDLE), Uint8(SDL_BUTTON_RIGHT),
                         Uint8(SDL_BUTTON_WHEELUP)}) {
        InputHandler input;
        input.handle(press(7, 8, button));
        EXPECT_TRUE(input.handle(release(7, 8, button))) << "button " << int(button);
    }
}

TEST(InputHandlerQuit, EscapePressedOrWindowClosedRequestsQuit) {
    InputHandler escape;
    escape.handle(key(SDL_KEYDOWN, SDLK_ESCAPE));
    EXPECT_TRUE(escape.isQuitRequested());

    InputHandler closed;
    closed.handle(quitEvent());
    EXPECT_TRUE(closed.isQuitRequested());
}

TEST(InputHandlerQuit, EscapeReleasedOrOtherKeysDoNotQuit) {
    InputHandler input;
    input.handle(key(SDL_KEYUP, SDLK_ESCAPE));
    input.handle(key(SDL_KEYDOWN, SDLK_q));
    input.handle(key(SDL_KEYDOWN, SDLK_SPACE));
    EXPECT_FALSE(input.isQuitRequested());
}

// SDL's event queue works without a window on the dummy video driver.
class InputHandlerQueue : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    }
    void TearDown() override { SDL_Quit(); }

    static void push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 0); }
};

TEST_F(InputHandlerQueue, ReleaseQueuedAfterQuitIsStillHandled) {
    InputHandler input;
    push(press(50, 60));
    push(quitEvent());
    push(release(50, 60));
    const std::vector<Click> clicks = input.pollAll();
    EXPECT_TRUE(input.isQuitRequested());
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].x, 50);
    EXPECT_EQ(clicks[0].y, 60);
}

TEST_F(InputHandlerQueue, PressSurvivesUntilALaterDrain) {
    InputHandler input;
    push(press(11, 12));
    EXPECT_TRUE(input.pollAll().empty());
    push(release(99, 99));
    const std::vector<Click> clicks = input.pollAll();
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].x, 11);
    EXPECT_EQ(clicks[0].y, 12);
}

} // namespace
