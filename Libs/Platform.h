#pragma once
// The one header game code includes for the platform.
#include "Libs/DirectXLib.h"
#include "Libs/FatalError.h"
#include "Libs/Font.h"
#include "Libs/InputEvent.h"
#include "Libs/InputLib.h"
#include "Libs/Rect.h"
#include "Libs/Sound.h"
#include "Libs/SoundLib.h"
#include "Libs/Texture.h"
#include "Libs/Tick.h"
