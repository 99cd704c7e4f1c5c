#include "ewd/separator_lines.h"

#include "config/profile_reader.h"

SeparatorLayout readSeparatorLayout(ProfileReader const& reader)
{
    SeparatorLayout const defaults;
    return {
        .separatorY = reader.readFloat("SeparatorY", defaults.separatorY),
        .leftSeparatorEndX = reader.readFloat("LeftSeparatorEndX", defaults.leftSeparatorEndX),
        .rightSeparatorStartX = reader.readFloat("RightSeparatorStartX", defaults.rightSeparatorStartX),
        .verticalSeparatorX = reader.readFloat("VerticalSeparatorX", defaults.verticalSeparatorX),
        .upperSeparatorTop = reader.readFloat("UpperSeparatorTop", defaults.upperSeparatorTop),
        .upperSeparatorBottom = reader.readFloat("UpperSeparatorBottom", defaults.upperSeparatorBottom),
        .lowerSeparatorTop = reader.readFloat("LowerSeparatorTop", defaults.lowerSeparatorTop),
    };
}

void drawSeparators(Graphics& graphics, Pen const& pen, SeparatorLayout const& at, SeparatorExtent const& extent)
{
    float const y = at.separatorY;
    float const x = at.verticalSeparatorX;
    graphics.drawLine(pen, { 0, y }, { at.leftSeparatorEndX, y });
    graphics.drawLine(pen, { at.rightSeparatorStartX, y }, { extent.pageWidth, y });
    if (extent.upperSeparator)
        graphics.drawLine(pen, { x, at.upperSeparatorTop }, { x, at.upperSeparatorBottom });
    graphics.drawLine(pen, { x, at.lowerSeparatorTop }, { x, extent.lowerSeparatorBottom });
}
