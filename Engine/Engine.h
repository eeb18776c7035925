// Shared constants of the 2-D engine, visible to every module.
#pragma once

#include "Platform/Win32.h"

// What a sprite does when its next position leaves its bounds rectangle.
typedef WORD BOUNDSACTION;
const BOUNDSACTION BA_STOP = 0;
const BOUNDSACTION BA_WRAP = 1;
const BOUNDSACTION BA_BOUNCE = 2;
const BOUNDSACTION BA_DIE = 3;

// Result of Sprite::Update; the sprite list tests the SA_KILL bit.
typedef WORD SPRITEACTION;
const SPRITEACTION SA_NONE = 0x0000;
const SPRITEACTION SA_KILL = 0x0001;
