#pragma once
// Recolouring a loaded skin in memory: its master bitmap, the images' own bitmaps and the colours of
// its sections. The loader applies the manager's HueOffset and Saturation after every load; the
// brightness change and the image swap are there for programs that tune a skin at run time.
#include "vcl/system.h"

namespace skin {

class TsSkinManager;

// Rotates the hue of every coloured pixel and section colour by Hue degrees (0: nothing). With the
// skin's "BIKEEPHUE" 1 the title-button images and their glows keep their colours, with 2 the close
// buttons only.
void ChangeSkinHue(TsSkinManager* Manager, int Hue);
// Changes the saturation by Value percent, taken modulo 101 with its sign (0: nothing).
void ChangeSkinSaturation(TsSkinManager* Manager, int Value);
// Moves every pixel but the key colour, and the section colours but those of the states, Value
// percent toward white (positive) or black (negative); 0: nothing.
void ChangeSkinBrightness(TsSkinManager* Manager, int Value);
// Replaces the image PropName of SkinSection by the file FileName: a bitmap for an image, a bitmap
// or a JPEG picture for "PATTERN" and "HOTPATTERN" (which may add the entry). False, changing
// nothing, without an active skin, with an empty name, a missing file or (for another key) a file
// that is not a bitmap or no such image.
bool ChangeImageInSkin(const vcl::String& SkinSection, const vcl::String& PropName, const vcl::String& FileName,
                       TsSkinManager* Manager);

}  // namespace skin
