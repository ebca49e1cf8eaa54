// The demo's three fonts, every one with faces 32-126 and a glyph for each.
#pragma once

class C_Font;

// font01.uft: DejaVu Sans at size 16 (regular, antialiased), then DejaVu Sans
// Bold rasterised with a 12-pixel em whose glyphs say size 16 (bold,
// antialiased): the frames-per-second text asks for bold at 16 and must stay
// within 95 pixels.
C_Font* Font_Text(const char* regularFile, const char* boldFile);
// font02.uft: size 24 in 24-pixel cells; font03.uft: size 16 in 17-pixel
// cells. Both are grid pictures drawn here from DejaVu Sans Bold, with a
// light-to-dim gradient and a soft halo in their alpha levels.
C_Font* Font_Titles(const char* boldFile);
C_Font* Font_Lines(const char* boldFile);
