#pragma once

#include "render/graphics.h"

class ProfileReader;

// Where the page's fixed separators run, in page units. The defaults place
// them on the 1000 x 1000 page; a page of another shape moves them with the
// layout's keys. The right separator runs to the page's right edge and the
// lower vertical one down to one alert line above its bottom, so those two
// ends follow the page by themselves.
struct SeparatorLayout {
    float separatorY = 680; // the horizontal separator, both halves
    float leftSeparatorEndX = 530; // the left half runs from x 0 to here
    float rightSeparatorStartX = 630;
    float verticalSeparatorX = 580; // both vertical separators
    float upperSeparatorTop = 250;
    float upperSeparatorBottom = 630;
    float lowerSeparatorTop = 730;
};

// The layout's separator keys; an absent key keeps its default.
SeparatorLayout readSeparatorLayout(ProfileReader const&);

// How far the page reaches, and whether it has the upper vertical separator.
struct SeparatorExtent {
    float pageWidth = 1000;
    float lowerSeparatorBottom = 1000;
    bool upperSeparator = true;
};

void drawSeparators(Graphics&, Pen const&, SeparatorLayout const&, SeparatorExtent const&);
