# Every source of the game and its platform layer, by role, each in exactly
# one list (tests/scripts/layering.sh checks it): a second map of the layout.
# The desktop, web, Windows and every other build take their sources from here.

# The game: hooks, start-up, controls, and one source per entity and per state.
set(WHIRL_GAME_SOURCES
  Whirlquarium.cpp
  Screen/Screen.cpp Screen/ScreenGlobalState.cpp Screen/DemoScreen.cpp Screen/SpeedometerScreen.cpp
  Screen/ScoreBoards.cpp Screen/DeathScoresScreen.cpp Screen/SavedScoresScreen.cpp
  Blender/Blender.cpp Blender/BlenderGlobalState.cpp Blender/Calm.cpp Blender/Blending.cpp
  Blender/BloodyFishGoo.cpp Blender/FlipOver.cpp
  Fish/Fish.cpp Fish/FishGlobalState.cpp Fish/SwimLeft.cpp Fish/SwimRight.cpp Fish/SwimTowardPlayer.cpp
  Fish/Panic.cpp Fish/Angel.cpp Fish/Saved.cpp Fish/FlopAway.cpp)

# The 2-D engine and the agent framework.
set(WHIRL_ENGINE_SOURCES
  Engine/GameEngine.cpp Engine/Bitmap.cpp Engine/Sprite.cpp Engine/SpriteList.cpp
  Engine/BaseGameEntity.cpp Engine/EntityManager.cpp Engine/Telegram.cpp Engine/MessageDispatcher.cpp
  Engine/LoggedSend.cpp)

# Off Windows, the Win32 subset, one file per kind of call, over the backend
# contract (Platform/Backend.h) and the shared key table.
set(WHIRL_SUBSET_SOURCES
  Platform/Window.cpp Platform/Gdi.cpp Platform/Blit.cpp Platform/PixelMemory.cpp Platform/Resources.cpp
  Platform/Files.cpp Platform/TimeKeys.cpp Platform/Mci.cpp Platform/Backend.cpp Platform/Keys.cpp)

# The backends, a folder and a list each; a program links one, and its entry
# point (if it has one) chooses it.
#   headless: no display, a virtual clock, scripted input (tests, replay tool).
set(WHIRL_HEADLESS_SOURCES Platform/headless/HeadlessBackend.cpp)
#   SDL2: the desktop window (needs SDL2's development files).
set(WHIRL_SDL_SOURCES
  Platform/sdl/SdlBackend.cpp Platform/sdl/ScaledPicture.cpp Platform/sdl/WindowScale.cpp Platform/sdl/IconImage.cpp)
set(WHIRL_SDL_ENTRY Platform/sdl/Main.cpp Platform/sdl/CommandLine.cpp)
#   web: a canvas in a web page (emscripten; cmake/Web.cmake builds the site).
set(WHIRL_WEB_SOURCES Platform/web/WebBackend.cpp)
set(WHIRL_WEB_ENTRY Platform/web/WebMain.cpp)
