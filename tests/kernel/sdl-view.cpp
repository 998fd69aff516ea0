// What a game sees: lists the joystick SDL2 finds by the name given, as "NAME: A axes, B
// buttons, H hats", then waits up to ten seconds for one of its buttons to go down and prints
// "button N down". Exit status 0 once a press was seen.
#include <SDL.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: sdl-view JOYSTICK-NAME\n");
        return 2;
    }
    if (SDL_Init(SDL_INIT_JOYSTICK | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Joystick* joystick = nullptr;
    int status = 1;
    for (int i = 0; i < SDL_NumJoysticks() && !joystick; ++i) {
        const char* name = SDL_JoystickNameForIndex(i);
        if (name && std::strcmp(name, argv[1]) == 0)
            joystick = SDL_JoystickOpen(i);
    }
    if (!joystick) {
        std::printf("no joystick named %s among %d\n", argv[1], SDL_NumJoysticks());
    } else {
        std::printf("%s: %d axes, %d buttons, %d hats\n", SDL_JoystickName(joystick),
                    SDL_JoystickNumAxes(joystick), SDL_JoystickNumButtons(joystick),
                    SDL_JoystickNumHats(joystick));
        std::fflush(stdout);
        const Uint32 until = SDL_GetTicks() + 10000;
        SDL_Event event;
        while (status != 0 && SDL_GetTicks() < until) {
            if (SDL_WaitEventTimeout(&event, 100) && event.type == SDL_JOYBUTTONDOWN) {
                std::printf("button %d down\n", event.jbutton.button);
                status = 0;
            }
        }
        SDL_JoystickClose(joystick);
    }
    SDL_Quit();
    return status;
}
