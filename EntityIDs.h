// The IDs of the game's three entities, issued in this order at start-up.
#pragma once

const int ScreenID = 0;
const int FishID = 1;
const int BlenderID = 2;
